#pragma once

// The base of the widget test programs: the running test's fixture, made afresh for each test
// unless the program makes its own, and the main window's controls that many tests look at,
// found by name.

#include "ColourSwatch.h"
#include "WidgetTest.h"
#include "WindowTitles.h"

#include <QObject>

#include <memory>

class Magnifier;
class QLabel;
class QLineEdit;
class QPushButton;
class TimedMessage;

class WidgetTestCase : public QObject {
    Q_OBJECT
protected slots:
    void initTestCase() { WidgetTest::silenceOffscreenWarnings(); }
    void init() { m_test = std::make_unique<WidgetTest>(); }
    void cleanup() { m_test.reset(); }

protected:
    MainWindow& window() const { return m_test->window(); }
    FakePlatform& platform() const { return m_test->platform(); }
    template <typename T> T* find(const char* name) const { return m_test->find<T>(name); }
    ColourSwatch* swatch(const char* name) const { return find<ColourSwatch>(name); }
    [[nodiscard]] QPushButton* pickButton() const;
    [[nodiscard]] QLabel* coordinates() const;
    [[nodiscard]] Magnifier* magnifier() const;
    [[nodiscard]] QLineEdit* output(const char* name) const; // "rgbText" or "webText"
    [[nodiscard]] TimedMessage* message() const;
    // Records every change of the five text fields in m_log, in order; a channel's field also
    // records where its arrows stood when its text changed.
    void watchTexts();

    std::unique_ptr<WidgetTest> m_test;
    QStringList m_log;
};
