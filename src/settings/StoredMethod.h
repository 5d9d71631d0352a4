#pragma once

// The rules for the one stored setting: what start-up makes of it, and how the dialog's
// choice is stored.

#include "Result.h"
#include "SettingsStore.h"

#include <cstdint>

// The low byte of the stored integer.  Anything unreadable is replaced by 0, silently.  If
// even that write fails, the failure says why; the method in force is then 0.
Result<std::uint8_t> readStartupMethod(SettingsStore& store);

// The dialog's choice, stored zero-extended.
Result<void> storeMethod(SettingsStore& store, std::uint8_t method);
