#pragma once

// The file-system steps of the settings store.  They use the system calls directly where
// Qt's file classes would follow a link, block on a FIFO or overwrite an earlier copy.

#include "Result.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>

namespace SettingsFiles {

// Whether the calling user may write `path`; one that is read-only is `name` in the words
// of the failure ("it", "the folder ~/x").
Result<void> writable(const QString& path, const QString& name);

// Writes `bytes` to a temporary file beside `destination` and renames it over
// `destination`: readers see the old file or the new one, and a link at that name is
// replaced, never followed.  The temporary's name carries the writer's process id.  Just
// before the rename `unchanged` says whether `destination` still holds what the bytes were
// made from; when it does not, nothing is renamed and the result is false.
Result<bool> replaceAtomically(const QString& destination, const QByteArray& bytes,
                               QFileDevice::Permissions permissions,
                               const std::function<bool()>& unchanged);

// Removes temporaries of replaceAtomically() beside `destination` that a writer which has
// ended left behind: by their name, their owner, and the process id in the name or their
// age.  Files that only look alike are the user's.
void removeStaleTemporaries(const QString& destination);

// Keeps `bytes` in `<path>.unreadable` (`.unreadable-2`, ... when taken), unless one of
// those already holds exactly these bytes.  Returns the copy's path.
Result<QString> keepCopy(const QString& path, const QByteArray& bytes);

// The user's home directory: HOME, or the user database's entry when HOME is unset, as the
// C library does.  Empty when neither says.
QString homeDirectory();

// `path` for the log, with the home directory shown as ~.
QString displayPath(const QString& path);

} // namespace SettingsFiles
