#include "DesktopPick.h"

#include "FrozenScreen.h"
#include "Platform.h"

#include <QWidget>

#include <algorithm>

namespace {

QString failureText(DesktopPicker::Failure failure) {
    switch (failure) {
    case DesktopPicker::Failure::Unavailable:
        return DesktopPick::tr("The desktop offers no screenshot.");
    case DesktopPicker::Failure::Refused:
        return DesktopPick::tr("The desktop refused the screenshot.");
    case DesktopPicker::Failure::TimedOut:
        return DesktopPick::tr("The desktop did not answer.");
    case DesktopPicker::Failure::Failed:
        break;
    }
    return DesktopPick::tr("The desktop could not take the screenshot.");
}

} // namespace

DesktopPick::DesktopPick(Platform& platform, DesktopPicker& desktop, QWidget& window,
                         SamplingMethod method)
    : PickSession(&window), m_platform(platform), m_desktop(desktop), m_window(window),
      m_method(method) {}

DesktopPick::~DesktopPick() = default;

void DesktopPick::start() {
    connect(&m_desktop, &DesktopPicker::screenshotTaken, this, &DesktopPick::onScreenshotTaken);
    connect(&m_desktop, &DesktopPicker::colourPicked, this, [this](Rgb colour) {
        emit picked(colour);
        emit finished();
    });
    connect(&m_desktop, &DesktopPicker::failed, this, &DesktopPick::onFailure);
    // A pick started by a click on the button has the pointer over the window, where
    // Xwayland knows its place.
    if (m_window.underMouse()) {
        m_placeAtStart = m_platform.pointerPosition();
    }
    // The capture follows once the frozen screenshot shows.
    m_desktop.takeScreenshot();
}

PointerSample DesktopPick::follow(QPoint pointer) {
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

void DesktopPick::movePoint(QPoint offset) {
    if (m_frozen) {
        m_moved += offset;
    }
}

void DesktopPick::end() {
    disconnect(&m_desktop, nullptr, this, nullptr);
    m_desktop.cancel();
    m_frozen.reset(); // the screenshot lives only while picking
}

void DesktopPick::onScreenshotTaken(const QImage& picture) {
    // KDE takes the pointer from the window while it takes the screenshot; the place
    // Xwayland kept is still the pointer's while it is the one the pick started at.
    const std::optional<QPoint> pointer = m_platform.pointerPosition();
    m_picture = picture.rect();
    const bool known = m_window.underMouse() || (m_placeAtStart && pointer == m_placeAtStart);
    m_frozen = std::make_unique<FrozenScreen>(picture, m_window, m_method, pointer, known);
    // Queued: the press is still being delivered to the overlay that ending the pick removes.
    connect(m_frozen.get(), &FrozenScreen::pressed, this, &PickSession::finished,
            Qt::QueuedConnection);
    m_window.activateWindow();
    m_platform.capturePointer(m_window);
}

void DesktopPick::onFailure(DesktopPicker::Failure failure) {
    if (!m_screenshotFailure) {
        // No screenshot: the desktop's own picker may still give one colour.
        m_screenshotFailure = failure;
        m_desktop.pickColour();
        return;
    }
    emit failed(failureText(*m_screenshotFailure));
}
