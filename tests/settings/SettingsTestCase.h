#pragma once

// The base of the settings test programs: before each test, a path for the settings file in a
// fresh folder of the test's own, and another folder that stands for the rest of the file
// system.

#include "SettingsTestFiles.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

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
