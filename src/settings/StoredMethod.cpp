#include "StoredMethod.h"

StartupMethod readStartupMethod(SettingsStore& store) {
    const Result<std::uint32_t> stored = store.readMethod();
    if (stored) {
        return {static_cast<std::uint8_t>(*stored & 0xFFu), std::nullopt};
    }
    const Result<void> repaired = store.writeMethod(0);
    if (!repaired) {
        return {0, repaired.error()};
    }
    return {0, std::nullopt};
}

Result<void> storeMethod(SettingsStore& store, std::uint8_t method) {
    return store.writeMethod(method);
}
