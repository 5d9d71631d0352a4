#pragma once

#include "DesktopCapture.h"
#include "PickSession.h"
#include "Sampling.h"

#include <QRect>

#include <memory>
#include <optional>

class FrozenScreen;
class Platform;
class QWidget;

// A pick through the desktop (a Wayland session): its screenshot, frozen over every
// monitor, is read as the screen would be; where it gives none, its own colour picker
// gives the colour; where neither works, the pick fails with the screenshot's reason.
class ScreenshotPick final : public PickSession {
    Q_OBJECT
public:
    ScreenshotPick(Platform& platform, DesktopCapture& desktop, QWidget& window,
                   SamplingMethod method);
    ~ScreenshotPick() override;

    void start() override;
    [[nodiscard]] PointerSample follow(QPoint pointer) override;
    // No program may move the pointer here: the point read moves within the picture.
    void movePoint(QPoint offset) override;
    void end() override;

private:
    void onScreenshotTaken(const QImage& picture);
    void onFailure(DesktopCapture::Refusal failure);
    // While the screenshot request may show the desktop's dialog, the window is not on top.
    void giveWay(bool asking);

    Platform& m_platform;
    DesktopCapture& m_desktop;
    QWidget& m_window;
    SamplingMethod m_method;
    std::unique_ptr<FrozenScreen> m_frozen;
    // Where the pointer was when the pick started over the window.
    std::optional<QPoint> m_placeAtStart;
    // The screenshot failed; the desktop's colour picker is being asked instead.
    std::optional<DesktopCapture::Refusal> m_screenshotFailure;
    QRect m_picture;
    // Where the keys moved the point read, from the pointer's place when they did.
    QPoint m_moved;
    std::optional<QPoint> m_lastPointer;
};
