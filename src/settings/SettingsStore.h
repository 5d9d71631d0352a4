#pragma once

#include "core/Result.h"
#include "platform/SettingsFile.h"

#include <cstdint>

// Interim store over the registry text file, with the store's final interface.
class SettingsStore {
public:
    explicit SettingsStore(QString path = SettingsFile::defaultPath()) : m_file(std::move(path)) {}
    static QString defaultPath() { return SettingsFile::defaultPath(); }
    [[nodiscard]] const QString& path() const { return m_file.path(); }
    SettingsFile& file() { return m_file; }

private:
    SettingsFile m_file;
};
