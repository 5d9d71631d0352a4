#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The files a portal's answer may name, for the tests of the screenshot's reading.

// Seven by five pixels, each its own colour: a decoded image shows any mix-up.
QImage pattern();
// Makes the file of `kind` at `path`, a name in the file system's own bytes, as the portal
// would once asked: "fresh" (the pattern as PNG), "junk", "fifo", "link", "huge" (3 GB),
// "limit" (Qt's 1 MB limit exactly), "overLimit", "twoLinks", "foreign" (another user's).
bool makeFile(const QString& kind, const QByteArray& path);
