#include "StoredMethod.h"

Result<std::uint8_t> readStartupMethod(SettingsStore& store) {
    const Result<std::uint32_t> stored = store.readMethod();
    if (stored) {
        return static_cast<std::uint8_t>(*stored & 0xFFu);
    }
    const Result<void> repaired = store.writeMethod(0);
    if (!repaired) {
        return Failure{repaired.error()};
    }
    return std::uint8_t(0);
}

Result<void> storeMethod(SettingsStore& store, std::uint8_t method) {
    return store.writeMethod(method);
}
