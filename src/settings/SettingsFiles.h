#pragma once

// The file-system steps of the settings store.  They use the system calls directly where
// Qt's file classes would follow a link, block on a FIFO or overwrite an earlier copy.

#include "Result.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace SettingsFiles {

// What reading a path, through links, found.
struct Contents {
    enum class Kind { Read, Missing, Refused };
    Kind kind = Kind::Missing;
    QByteArray bytes;
    QString reason;      // when refused: why, in words for the log
    bool denied = false; // refused for want of permission
};

// Reads a regular file of at most `maxSize` bytes; never waits on a FIFO or a device.
Contents readRegular(const QString& path, qint64 maxSize);

// 0 when the calling user may write `path`, otherwise the errno value that says why not.
int writeError(const QString& path);

// Writes `bytes` to a temporary file beside `destination` and renames it over
// `destination`: readers see the old file or the new one, and a link at that name is
// replaced, never followed.
Result<void> replaceAtomically(const QString& destination, const QByteArray& bytes,
                               QFileDevice::Permissions permissions);

// Removes temporaries of replaceAtomically() beside `destination`.  Only call it while
// holding the store's lock: no other writer can be using one then.
void removeStaleTemporaries(const QString& destination);

// Keeps `bytes` in `<path>.unreadable` (`.unreadable-2`, ... when taken), unless one of
// those already holds exactly these bytes.  Returns the copy's path.
Result<QString> keepCopy(const QString& path, const QByteArray& bytes);

// The user's home directory: HOME, or the user database's entry when HOME is unset, as the
// C library does.  Empty when neither says.
QString homeDirectory();

// `path` for the log, with the home directory shown as ~.
QString displayPath(const QString& path);

// The system's text for an errno value, as a clause: "permission denied".
QString errorText(int error);

} // namespace SettingsFiles
