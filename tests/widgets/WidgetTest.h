#pragma once

#include "DesktopCapture.h"
#include "FakeLinkOpener.h"
#include "FakePlatform.h"
#include "Language.h"
#include "MainWindow.h"
#include "PickSource.h"
#include "SettingsStore.h"
#include "Translator.h"

#include <QColor>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

class ChannelSlider;
class GradientBar;
class QLineEdit;
class StepArrows;

Q_DECLARE_METATYPE(InterfaceLanguage)
Q_DECLARE_METATYPE(Channel)

// Names a colour in a failed comparison.
inline char* toString(const Rgb& colour) {
    return QTest::toString(
        QStringLiteral("Rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue()));
}

// The colour `widget` shows at `at` when it paints itself now.
inline QColor paintedAt(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

// The shared set-up of the widget tests: a fake platform and link opener, a settings file of
// the test's own, the interface language, and the main window with the dialogs it owns, shown
// and exposed.  With a desktop picker, picks go through it, as a Wayland session's do.
class WidgetTest {
public:
    explicit WidgetTest(InterfaceLanguage language = InterfaceLanguage::English,
                        std::unique_ptr<DesktopCapture> desktopPicker = nullptr);
    ~WidgetTest();
    WidgetTest(const WidgetTest&) = delete;
    WidgetTest& operator=(const WidgetTest&) = delete;

    FakePlatform& platform() { return *m_platform; }
    FakeLinkOpener& links() { return m_links; }
    SettingsStore& settings() { return m_settings; }
    MainWindow& window() { return *m_window; }

    // A child of the main window (or of its dialogs) by object name; a missing one ends the
    // test run with its name, rather than with a null dereference somewhere later.
    template <typename T> T* find(const char* name) const {
        T* child = m_window->findChild<T*>(QString::fromLatin1(name));
        if (child == nullptr) {
            qFatal("no control named %s", name);
        }
        return child;
    }

    // The one child of the main window of type T (a dialog it owns).
    template <typename T> T* child() const {
        T* found = m_window->findChild<T*>();
        if (found == nullptr) {
            qFatal("no child of type %s", T::staticMetaObject.className());
        }
        return found;
    }

    // The main window's controls for one channel.
    [[nodiscard]] ChannelSlider* slider(Channel channel) const;
    [[nodiscard]] QLineEdit* field(Channel channel) const;
    [[nodiscard]] StepArrows* arrows(Channel channel) const;
    [[nodiscard]] GradientBar* gradient(Channel channel) const;
    // Where the handle of `channel`'s slider lies, in the slider.
    [[nodiscard]] QPoint handleCentre(Channel channel) const;
    // Moves the three sliders to `colour`, as the program does.
    void setColour(Rgb colour) const;

    // Recreates the window, as a restart of the program does (the settings file stays).
    void restart();
    // Stores `method` and restarts, as the next start with that method stored.
    bool restartWithMethod(int method);

    // Makes the main window the active one, as shortcuts and mnemonics need.
    bool activate();

    // Waits until the follower has read the screen at least once more.
    bool waitForSample();

    // Starts a pick by a click with the pointer over a pixel of `picked`, and waits until
    // the sliders hold it.
    bool pickFrom(Rgb picked);

    // From now on every write of the settings fails: a plain file stands where the store's
    // directory should be.  (Taking the write permission away would not do: the tests may
    // run as root.)
    bool breakSettingsStore();

    // The controls of `window` that a user reaches by Tab or reads (buttons, labels, text
    // boxes) but that have no accessible name, by object name; the parts of a compound
    // control do not count.
    static QString unnamedControls(const QWidget& window);

    // The offscreen platform warns at every pointer grab, raise and size hint it cannot pass
    // on; the widget grab that routes the presses still works.  Silences those warnings.
    static void silenceOffscreenWarnings();

private:
    QTemporaryDir m_settingsDir;
    SettingsStore m_settings{m_settingsDir.filePath(QStringLiteral("tintor/settings.json"))};
    FakeLinkOpener m_links;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Translator> m_translator;
    std::unique_ptr<PickSource> m_picks;
    std::unique_ptr<MainWindow> m_window;
};
