#include "ScreenshotPick.h"

#include "FrozenScreen.h"
#include "Platform.h"
#include "StayOnTop.h"

#include <QWidget>

#include <algorithm>

namespace {

QString failureText(DesktopCapture::Refusal failure) {
    switch (failure) {
    case DesktopCapture::Refusal::Unavailable:
        return ScreenshotPick::tr("The desktop offers no screenshot.");
    case DesktopCapture::Refusal::Refused:
        return ScreenshotPick::tr("The desktop refused the screenshot.");
    case DesktopCapture::Refusal::TimedOut:
        return ScreenshotPick::tr("The desktop did not answer.");
    case DesktopCapture::Refusal::Failed:
        break;
    }
    return ScreenshotPick::tr("The desktop could not take the screenshot.");
}

} // namespace

ScreenshotPick::ScreenshotPick(Platform& platform, DesktopCapture& desktop, QWidget& window,
                               SamplingMethod method)
    : PickSession(&window), m_platform(platform), m_desktop(desktop), m_window(window),
      m_method(method) {}

ScreenshotPick::~ScreenshotPick() = default;

void ScreenshotPick::start() {
    connect(&m_desktop, &DesktopCapture::screenshotTaken, this, &ScreenshotPick::onScreenshotTaken);
    connect(&m_desktop, &DesktopCapture::colourPicked, this, [this](Rgb colour) {
        emit picked(colour);
        emit finished();
    });
    connect(&m_desktop, &DesktopCapture::failed, this, &ScreenshotPick::onFailure);
    // A pick started by a click on the button has the pointer over the window, where
    // Xwayland knows its place.
    if (m_window.underMouse()) {
        m_placeAtStart = m_platform.pointerPosition();
    }
    // The desktop may ask the user first (GNOME: "Allow Applications to Take Screenshots?"),
    // and the window must not cover that dialog.  The capture follows once the frozen
    // screenshot shows.
    giveWay(true);
    m_desktop.takeScreenshot();
}

PointerSample ScreenshotPick::follow(QPoint pointer) {
    // The pointer's own move takes the point read back under it.
    if (m_lastPointer != pointer) {
        m_moved = {};
    }
    m_lastPointer = pointer;
    // Nothing to read until the picture shows, nor while the pointer's place is stale,
    // unless the keys have moved the point read from there.
    if (!m_frozen || (m_moved.isNull() && !m_frozen->knowsPointer(pointer))) {
        return {};
    }
    QPoint at = m_frozen->toPicture(pointer);
    if (!m_moved.isNull()) {
        const QPoint moved(std::clamp(at.x() + m_moved.x(), m_picture.left(), m_picture.right()),
                           std::clamp(at.y() + m_moved.y(), m_picture.top(), m_picture.bottom()));
        m_moved = moved - at; // held at the picture's edge, so the way back starts at once
        at = moved;
    }
    const Rgb colour = m_frozen->sampler().sample(at);
    return {at, m_frozen->sampler().image(), colour};
}

void ScreenshotPick::movePoint(QPoint offset) {
    if (m_frozen) {
        m_moved += offset;
    }
}

void ScreenshotPick::end() {
    disconnect(&m_desktop, nullptr, this, nullptr);
    m_desktop.cancel();
    giveWay(false);
    m_frozen.reset(); // the screenshot lives only while picking
}

void ScreenshotPick::onScreenshotTaken(const QImage& picture) {
    // KDE takes the pointer from the window while it takes the screenshot; the place
    // Xwayland kept is still the pointer's while it is the one the pick started at.
    giveWay(false);
    const std::optional<QPoint> pointer = m_platform.pointerPosition();
    m_picture = picture.rect();
    const bool known = m_window.underMouse() || (m_placeAtStart && pointer == m_placeAtStart);
    m_frozen = std::make_unique<FrozenScreen>(picture, m_window, m_method,
                                              XwaylandPointer(pointer, known));
    // Queued: the press is still being delivered to the overlay that ending the pick removes.
    connect(m_frozen.get(), &FrozenScreen::pressed, this, &PickSession::finished,
            Qt::QueuedConnection);
    m_window.activateWindow();
    m_platform.capturePointer(m_window);
}

void ScreenshotPick::onFailure(DesktopCapture::Refusal failure) {
    giveWay(false);
    if (!m_screenshotFailure) {
        // No screenshot: the desktop's own picker may still give one colour.
        m_screenshotFailure = failure;
        m_desktop.pickColour();
        return;
    }
    emit failed(failureText(*m_screenshotFailure));
}

void ScreenshotPick::giveWay(bool asking) {
    StayOnTop::of(m_platform, m_window).setAsking(*this, asking);
}
