#pragma once

#include "Result.h"

#include <QString>

#include <cstdint>
#include <optional>

// The per-user settings file: a JSON object whose member "Method" holds the sampling method
// as a 32-bit unsigned integer, by default $XDG_CONFIG_HOME/tintor/settings.json.
//
// A write changes only the value of "Method" and keeps every other byte.  Writes are
// atomic (a temporary file renamed into place) and serialised between processes by a lock
// file beside the settings file; they recreate a missing file and folder.  A file that does
// not parse is first copied to settings.json.unreadable; one that cannot be read for want
// of permission, or is too large to be settings, is never overwritten, nor is a file
// written that start-up would refuse as too large.  A link to the user's own settings
// document is read and written through; a link to another user's file is not written;
// any other link is replaced by a file of our own, and its target is left alone.  What the
// store does to a file, and why a write fails, it says in one line on the log.
//
// A read-only store reads as any other but writes nothing, for a run that must leave the
// settings as they are (a pick from a script): its writes succeed without touching a file.
class SettingsStore {
public:
    enum class Access { ReadWrite, ReadOnly };

    explicit SettingsStore(QString path = defaultPath(), Access access = Access::ReadWrite);

    // $XDG_CONFIG_HOME/tintor/settings.json; ~/.config when XDG_CONFIG_HOME is unset or
    // relative.  Empty when there is no home directory either.
    static QString defaultPath();
    [[nodiscard]] const QString& path() const { return m_path; }

    // "Failed to get data for 'Method'" when the file or the value is missing or the file
    // cannot be read; "Invalid data type for 'Method'" when the value is not an integer in
    // 0..4294967295.
    Result<std::uint32_t> readMethod();
    // "Failed to set data for 'Method'" when the value cannot be stored.
    Result<void> writeMethod(std::uint32_t value);

    // Larger files are not settings; the store neither reads, copies nor replaces them.
    static constexpr qint64 MaxSize = 1 << 20;

private:
    // The write itself; a failure says why, for the log.
    Result<void> store(std::uint32_t value);
    // The method of 1.0's settings.reg beside the file, stored in the new file.
    std::optional<std::uint32_t> takeOverEarlierSettings();

    QString m_path;
    Access m_access;
};
