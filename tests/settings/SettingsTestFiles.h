#pragma once

// Helpers of the settings tests: files as bytes and as JSON, the store's log lines, and the
// fixture the test programs share.

#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file's JSON object; empty when it holds none.
inline QJsonObject jsonOf(const QString& path) {
    return QJsonDocument::fromJson(readAll(path)).object();
}

// The method start-up puts in force, after its writes; -1 when not even 0 could be stored.
inline int startupMethod(SettingsStore& store) {
    store.takeOverEarlierSettings();
    return store.repairUnreadable() ? int(store.value(Settings::Method).toInteger() & 0xFF) : -1;
}

inline bool isLink(const QString& path) {
    return QFileInfo(path).isSymLink();
}

inline bool runsAsRoot() {
    return ::geteuid() == 0;
}

// Everything in a folder, for checking that nothing was created there.
inline QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// Collects the settings store's log lines while it lives.
class SettingsLogCapture {
public:
    SettingsLogCapture() : m_previous(qInstallMessageHandler(&SettingsLogCapture::handle)) {
        current() = this;
    }
    ~SettingsLogCapture() {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    SettingsLogCapture(const SettingsLogCapture&) = delete;
    SettingsLogCapture& operator=(const SettingsLogCapture&) = delete;

    QStringList lines;

private:
    static SettingsLogCapture*& current() {
        static SettingsLogCapture* capture = nullptr;
        return capture;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (current() != nullptr && qstrcmp(context.category, "tintor.settings") == 0) {
            current()->lines << text;
        } else if (current() != nullptr && current()->m_previous != nullptr) {
            current()->m_previous(type, context, text);
        }
    }

    QtMessageHandler m_previous;
};

// The base of the settings test programs: before each test, a settings path in a fresh folder
// of the test's own, and another folder that stands for the rest of the file system.
class SettingsTestCase : public QObject {
    Q_OBJECT
protected slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_outside = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("tintor/settings.json"));
        QVERIFY(!makesFolder() || QDir().mkpath(folder()));
    }

protected:
    // Whether the settings folder is there from the start; otherwise the store makes it.
    [[nodiscard]] virtual bool makesFolder() const { return false; }
    [[nodiscard]] QString folder() const { return QFileInfo(m_path).absolutePath(); }

    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_outside;
};
