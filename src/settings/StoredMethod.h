#pragma once

// The rules for the one stored setting: what start-up makes of it, and how the dialog's
// choice is stored.

#include "SettingsStore.h"
#include "Result.h"

#include <cstdint>
#include <optional>
#include <string>

struct StartupMethod {
    std::uint8_t method;
    // Set when the value could not be read and could not be repaired either.
    std::optional<QString> problem;
};

// The low byte of the stored integer.  Anything unreadable is replaced by 0, silently; if
// even that write fails, method 0 with the reason.
StartupMethod readStartupMethod(SettingsStore& store);

// The dialog's choice, stored zero-extended.
Result<void> storeMethod(SettingsStore& store, std::uint8_t method);
