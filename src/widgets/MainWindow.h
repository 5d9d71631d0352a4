#pragma once

#include "AppInfo.h"
#include "ScreenSampler.h"
#include "Rgb.h"
#include "Sampling.h"
#include "DesktopPicker.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class AboutDialog;
class FrozenScreen;
class ChannelSlider;
class GradientBar;
class LinkOpener;
class OptionsDialog;
class Platform;
class QLineEdit;
class QShortcut;
class SettingsStore;
class StepArrows;
class TimedMessage;

namespace Ui {
class MainWindow;
}

// The main window: three channel sliders with their step arrows and text fields, the colour
// and web-safe swatches, the gradient bars and the two hexadecimal outputs; the sampler that
// follows the pointer every 50 ms, and pick mode, in which the sampler drives the sliders.
//
// The colour handlers are in MainWindow.cpp, the pointer follower and pick mode in
// MainWindowPicking.cpp.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Platform& platform, SettingsStore& settings, LinkOpener& links,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] Rgb colour() const;
    [[nodiscard]] SamplingMethod samplingMethod() const { return m_sampler.method(); }
    [[nodiscard]] bool isPicking() const;

public slots:
    void startPicking();
    void openOptions();
    void openAbout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void connectControls();
    void createDialogs();
    void readStoredMethod();
    void applyOptions();

    // The update cascade: everything that shows the colour, after `channel`'s slider moved.
    void onChannelChanged(Channel channel);
    void onFieldEdited(Channel channel);
    void onStepped(Channel channel);
    void setColour(Rgb colour);
    void snapToDisplayable();

    void followPointer();
    // Where the screen cannot be read: the frozen screenshot while picking, Tintor's own
    // windows otherwise.
    void followPointerWithoutScreen(QPoint pointer);
    [[nodiscard]] std::optional<Rgb> sampleOwnWindow(QPoint pointer);
    void showCoordinates(std::optional<QPoint> point);
    void connectDesktopPicker(DesktopPicker& picker);
    void onScreenshotTaken(const QImage& picture);
    void onDesktopColour(Rgb colour);
    void onDesktopFailure(DesktopPicker::Failure failure);
    void stopPicking(Qt::MouseButton heldUntilRelease);
    void cancelPicking();
    void restoreFocusAfterPick();
    void onApplicationStateChanged(Qt::ApplicationState state);
    void showLinkFailure(const QString& message);

    // One channel's controls, in the order of Channel.
    struct ChannelControls {
        ChannelSlider* slider;
        StepArrows* arrows;
        QLineEdit* field;
        GradientBar* gradient;
    };
    [[nodiscard]] const ChannelControls& controls(Channel channel) const {
        return m_channels.at(static_cast<std::size_t>(channel));
    }
    [[nodiscard]] ChannelSlider* slider(Channel channel) const;
    [[nodiscard]] StepArrows* arrows(Channel channel) const;
    [[nodiscard]] QLineEdit* field(Channel channel) const;
    [[nodiscard]] GradientBar* gradient(Channel channel) const;

    std::unique_ptr<Ui::MainWindow> m_ui;
    std::array<ChannelControls, 3> m_channels{};
    Platform& m_platform;
    SettingsStore& m_settings;
    LinkOpener& m_links;
    AppInfo m_info;
    ScreenSampler m_sampler;
    QTimer m_follower;
    // Activates the window after a pick from the event loop, once the press has been handled.
    QTimer m_activation;
    QShortcut* m_cancelPick;
    OptionsDialog* m_options = nullptr;
    AboutDialog* m_about = nullptr;
    TimedMessage* m_message = nullptr;
    std::optional<QPoint> m_shownCoordinates;
    bool m_coordinatesShown = false;
    // While a pick reads a screenshot instead of the screen.
    std::unique_ptr<FrozenScreen> m_frozen;
    // The desktop's screenshot failed; its colour picker is being asked instead.
    std::optional<DesktopPicker::Failure> m_screenshotFailure;
    Rgb m_colourBeforePick;
    // The press that ended a pick: the capture is kept until its release, so the release
    // does not land in the program under the pointer.
    Qt::MouseButton m_captureHeldUntilRelease = Qt::NoButton;
    // Until the window manager's frame is known and the window centred with it.
    bool m_awaitingFrame = true;
};
