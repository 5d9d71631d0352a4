#pragma once

#include "Result.h"

#include <QImage>
#include <QUrl>

#include <chrono>

// The picture a screenshot portal wrote for one request.  Desktops write it wherever they
// keep screenshots (KDE in ~/Pictures, GNOME in the home folder or ~/Pictures), and a pick
// must not leave one behind; yet a buggy or hostile portal may name any file at all.  So
// the file is opened without blocking and never through a link, read only if it is a
// regular file no larger than Qt would decode, and removed only when it is beyond doubt
// this request's own screenshot: a regular file of the user's, with one link, created
// after the request started, whose bytes decoded as a picture.  Anything else stays.
class ScreenshotFile {
public:
    // A moment on the clock that the file system stamps files with.
    using Stamp = std::chrono::nanoseconds;
    static Stamp now();

    // Reads the picture at the file: URI that the portal answered a request made at `asked`
    // with, removing the file under the rule above.  Only an absolute path on this host is
    // read, its escapes decoded to the file system's bytes.
    static Result<QImage> take(const QUrl& uri, Stamp asked);
};
