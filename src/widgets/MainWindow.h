#pragma once

#include "AppInfo.h"
#include "PickMode.h"
#include "Rgb.h"
#include "Sampling.h"
#include "ScreenSampler.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class AboutDialog;
class ChannelEditor;
class ColourHistory;
class ColourOutputs;
class ColourReceiver;
class ContrastChoice;
class LinkOpener;
class CastFollowChoice;
class FramedPlacement;
class OptionsDialog;
class PickSource;
class RecentColoursMenu;
class Platform;
class ScreenCast;
class SettingsStore;
class TimedMessage;

namespace Ui {
class MainWindow;
}

// The main window: the three channels' controls, the colour and web-safe swatches and the
// two hexadecimal outputs, all showing the one current colour; the follower that shows the
// pointer's place and pixels every 50 ms, which drives the colour while pick mode is on.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Platform& platform, PickSource& pickSource, SettingsStore& settings,
               LinkOpener& links, QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] Rgb colour() const { return m_colour; }
    [[nodiscard]] SamplingMethod samplingMethod() const { return m_sampler.method(); }
    [[nodiscard]] bool isPicking() const { return m_pickMode.isActive(); }
    // Offers to follow the pointer everywhere through the desktop's screen cast, which the
    // pick source reads while it is open.
    void offerScreenCast(ScreenCast& cast);
    // Places the window clear of these windows' client areas (device pixels), as far as the
    // screen allows, now and once it is framed.
    void keepClearOf(const QList<QRect>& windows);

public slots:
    // Shows `colour` everywhere, once, when it differs from the current one.
    void setColour(Rgb colour);
    void startPicking();
    void openOptions();
    void openAbout();

signals:
    // A pick is over; `kept` when it ended keeping its colour, not cancelled nor failed.
    void pickEnded(bool kept);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void createDialogs();
    void setSamplingMethod(SamplingMethod method);
    void applyOptions();
    // The update cascade: everything that shows the colour.
    void showColour();
    void onChannelEdited(Channel channel, int value);
    // A colour pasted, dropped or chosen from the recent ones: shown, and kept as recent.
    void takeColour(Rgb colour);
    void followPointer();
    // The kept colour against the one under the pointer; during a pick the kept colour is
    // the pointer's, and the other the one from before the pick.
    void showContrast();
    void onPickStopped(bool kept);
    void stopPicking();
    // In the message window, for three seconds; only the About window's takes the keyboard.
    void showMessage(const QString& text, const QString& detail, bool takesKeyboard = false);

    std::unique_ptr<Ui::MainWindow> m_ui;
    std::array<ChannelEditor*, 3> m_channels{};
    Platform& m_platform;
    PickSource& m_pickSource;
    SettingsStore& m_settings;
    LinkOpener& m_links;
    AppInfo m_info;
    ScreenSampler m_sampler;
    Rgb m_colour;
    QTimer m_follower;
    // Activates the window after a pick from the event loop, once the press has been handled.
    QTimer m_activation;
    PickMode m_pickMode;
    ColourOutputs* m_outputs = nullptr;
    ColourReceiver* m_receiver = nullptr;
    RecentColoursMenu* m_recentMenu = nullptr;
    ColourHistory* m_history = nullptr;
    OptionsDialog* m_options = nullptr;
    AboutDialog* m_about = nullptr;
    TimedMessage* m_message = nullptr;
    CastFollowChoice* m_liveFollow = nullptr;
    ScreenCast* m_cast = nullptr; // reads by the sampler's method where the screen is cast
    ContrastChoice* m_contrast = nullptr;
    std::optional<Rgb> m_underPointer; // the follower's last colour, where known
    FramedPlacement* m_placement = nullptr;
};
