#pragma once

#include "Result.h"
#include "Setting.h"

#include <QJsonValue>
#include <QString>

// The per-user settings file: a JSON object whose members hold the settings of Setting.h,
// by default $XDG_CONFIG_HOME/tintor/settings.json.
//
// A write changes only the value of its member and keeps every other byte.  Writes are
// atomic (a temporary file renamed into place) and serialised between processes by a lock
// file beside the settings file; a program that writes the file meanwhile without the lock
// keeps its change.  They recreate a missing file and folder.  A file that does not parse
// is first copied to settings.json.unreadable; one that cannot be read for want of
// permission, or is too large to be settings, is never overwritten, nor is a file written
// that start-up would refuse as too large.  A link to the user's own settings document is
// read and written through; a link to another user's file is not written; any other link
// is replaced by a file of our own, and its target is left alone.  What the store does to
// a file, and why a write fails, it says in one line on the log.  Reading writes nothing.
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

    // The stored value: "Failed to get data for 'Method'" when the file or the value is
    // missing or the file cannot be read; "Invalid data type for 'Method'" when the value is
    // not of the setting's kind and range.
    [[nodiscard]] Result<QJsonValue> read(const Setting& setting) const;
    // Fails, saying why, when the path holds what cannot be read (no permission, a directory,
    // a FIFO, a file too large); no file at all is read as an empty one.
    [[nodiscard]] Result<void> readable() const;
    // The stored value, or the setting's fallback when none reads.
    [[nodiscard]] QJsonValue value(const Setting& setting) const;
    // "Failed to set data for 'Method'" when the value cannot be stored; "Invalid data type
    // for 'Method'" when it is not of the setting's kind.
    Result<void> write(const Setting& setting, const QJsonValue& value);

    // Start-up, before the first read.  When there is no settings file yet, 1.0's
    // settings.reg beside it gives the method, which is written into a new file.
    void takeOverEarlierSettings();
    // Start-up, then: a setting that asks for it and does not read is written as its
    // fallback, silently.  Fails when that write does.
    Result<void> repairUnreadable();

    // Larger files are not settings; the store neither reads, copies nor replaces them.
    static constexpr qint64 MaxSize = 1 << 20;

private:
    // The write itself; a failure says why, for the log.
    Result<void> store(const Setting& setting, const QJsonValue& value);

    QString m_path;
    Access m_access;
};
