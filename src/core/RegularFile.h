#pragma once

// Reading a file that anyone may have put at a path the program reads: the step that the
// settings store and the screenshot reader share.

#include "Result.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

enum class LinkRule { Follow, Refuse };

// The whole of the regular file at `path` (the file system's bytes), when it has at most
// `maxSize` bytes.  It is opened without blocking, so that a FIFO or a device at the path
// cannot stop the program, and read up to one byte past the limit, so that a file that
// grows while read is refused too.  `opened`, when given, receives what statx says of the
// file that was opened (basic stats and the birth time).
Result<QByteArray> readRegularFile(const QByteArray& path, qint64 maxSize, LinkRule links,
                                   struct statx* opened = nullptr);

// The system's text for an errno value, as a clause: "permission denied".
QString errnoText(int error);
