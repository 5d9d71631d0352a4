#pragma once

#include "SettingsStore.h"
#include "core/StoredMethod.h"

inline StartupMethod readStartupMethod(SettingsStore& store) {
    return ReadStoredMethod(store.file());
}

inline Result<void> storeMethod(SettingsStore& store, std::uint8_t method) {
    try {
        StoreMethod(store.file(), method);
        return {};
    } catch (const SettingsError& error) {
        return Failure{error.what()};
    }
}
