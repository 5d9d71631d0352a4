#include "StoredMethod.h"

namespace {

std::string withName(const char* text, std::string_view name) {
    return std::string(text) + " '" + std::string(name) + "'";
}

} // namespace

std::string FailedToGetData(std::string_view name) {
    return withName("Failed to get data for", name);
}
std::string InvalidDataType(std::string_view name) {
    return withName("Invalid data type for", name);
}
std::string FailedToSetData(std::string_view name) {
    return withName("Failed to set data for", name);
}

StartupMethod ReadStoredMethod(RegistryStore& store) {
    store.CreateKey(MethodKeyPath);
    try {
        return {
            static_cast<std::uint8_t>(store.ReadDword(MethodKeyPath, MethodValueName) & 0xFFu),
            std::nullopt};
    } catch (const SettingsError&) {
        // Unreadable for any reason: repaired below.
    }
    try {
        store.WriteDword(MethodKeyPath, MethodValueName, 0);
        return {0, std::nullopt};
    } catch (const SettingsError& error) {
        return {0, error.what()};
    }
}

void StoreMethod(RegistryStore& store, std::uint8_t method) {
    store.OpenKey(MethodKeyPath);
    store.WriteDword(MethodKeyPath, MethodValueName, method);
}
