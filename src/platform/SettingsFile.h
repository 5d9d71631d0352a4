#pragma once

#include "core/RegistryText.h"
#include "core/StoredMethod.h"

#include <QString>

#include <optional>

// The per-user settings store: one registry-export text file, by default
// $XDG_CONFIG_HOME/tintor/settings.reg (~/.config when XDG_CONFIG_HOME is unset).
//
// Writes are atomic (a temporary file renamed over the old one) and serialised between
// processes by a lock file beside it.  A write changes only the value's own line and keeps
// every other line, even one it cannot read; a file that is not settings text at all is
// first copied aside (said on stderr) and then written back without what did not parse.
class SettingsFile final : public RegistryStore {
public:
    explicit SettingsFile(QString path = defaultPath());

    static QString defaultPath();
    [[nodiscard]] const QString& path() const { return m_path; }

    bool CreateKey(std::string_view path) override;
    bool OpenKey(std::string_view path) override;
    std::uint32_t ReadDword(std::string_view path, std::string_view name) override;
    void WriteDword(std::string_view path, std::string_view name, std::uint32_t value) override;

    // Files larger than this are not settings written by us; they count as unreadable.
    static constexpr qint64 MaxSize = 1 << 20;

private:
    // The file's document; nothing when the file exists but cannot be read as a file.
    [[nodiscard]] std::optional<Registry::Document> load() const;
    // Writes `document`; unless `keepOriginal` (the file was settings text), the file is
    // first copied aside.  Returns false on failure.
    bool save(const Registry::Document& document, bool keepOriginal);

    QString m_path;
};
