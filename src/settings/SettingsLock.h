#pragma once

#include "Result.h"

#include <QLockFile>

// Takes the lock that serialises the writers of one settings file, waiting a few seconds
// for a live writer; frees a lock whose owner has gone.  Anything at the lock's path, or at
// the path of the lock QLockFile takes to break a stale one, that is not a regular file,
// or one that cannot be read, fails at once: QLockFile would block on a FIFO, or wait out
// its time on what it cannot read.
Result<void> takeSettingsLock(QLockFile& lock);
