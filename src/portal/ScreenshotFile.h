#pragma once

#include "Result.h"

#include <QImage>
#include <QString>
#include <QUrl>

// The picture a screenshot portal wrote for the program.  It is read once; if it lies in a
// temporary directory it is removed at once, so no screenshot outlives the pick.  Nothing
// elsewhere is ever removed: GNOME, for one, saves its screenshots in the user's pictures.
class ScreenshotFile {
public:
    // Reads the image at a file: URI, removing the file when isTemporary() says so.
    static Result<QImage> take(const QUrl& uri);

    // True for a regular file (not a link) below /tmp, /var/tmp or the temporary directory
    // that TMPDIR names.  The runtime directory does not count: the document portal
    // serves other programs' files from there.
    static bool isTemporary(const QString& path);
};
