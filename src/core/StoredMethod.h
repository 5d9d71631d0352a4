#pragma once

// The one stored setting: where it lives, its type, and what an unreadable value becomes.

#include <cstdint>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

inline constexpr std::string_view MethodKeyPath = "Software\\Tintor";
inline constexpr std::string_view MethodValueName = "Method";

// A failed read or write of a stored value; the message names the value.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string FailedToGetData(std::string_view name); // missing, too large, or no open key
std::string InvalidDataType(std::string_view name); // not a 32-bit integer
std::string FailedToSetData(std::string_view name);

// A per-user store with the registry's semantics for keys and 32-bit integer values.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    RegistryStore() = default;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Opens the key, creating it when missing; returns whether it is open.
    virtual bool CreateKey(std::string_view path) = 0;
    // Opens the key only if it exists.
    virtual bool OpenKey(std::string_view path) = 0;
    // Throw SettingsError with one of the messages above.
    virtual std::uint32_t ReadDword(std::string_view path, std::string_view name) = 0;
    virtual void WriteDword(std::string_view path, std::string_view name, std::uint32_t value) = 0;
};

struct StartupMethod {
    std::uint8_t method;
    // Set when the value could not be read and could not be repaired either.
    std::optional<std::string> problem;
};

// The start-up read: the low byte of the stored integer; anything unreadable is replaced
// by 0, silently; if even that write fails, method 0 with the reason.
StartupMethod ReadStoredMethod(RegistryStore& store);

// The dialog's choice, stored zero-extended.  Throws SettingsError when it cannot be.
void StoreMethod(RegistryStore& store, std::uint8_t method);
