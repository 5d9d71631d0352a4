#include "ScreenshotPickSource.h"

#include "DesktopCapture.h"
#include "ImageScreenReader.h"
#include "ScreenSampler.h"
#include "ScreenshotPick.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

ScreenshotPickSource::ScreenshotPickSource(Platform& platform,
                                           std::unique_ptr<DesktopCapture> desktop)
    : m_platform(platform), m_desktop(std::move(desktop)), m_pointer(QCursor::pos()) {}

ScreenshotPickSource::~ScreenshotPickSource() = default;

PointerSample ScreenshotPickSource::follow(QPoint pointer, ScreenSampler& screen) {
    const QPoint logical = QCursor::pos();
    // Xwayland keeps the last place it saw the pointer when the pointer leaves for another
    // program's window; the leave itself is what tells that it has gone.  Over another
    // program's window the position and pixels are not known: say so rather than show the
    // last ones as if they were live.
    QWidget* window = QApplication::topLevelAt(logical);
    if (!m_pointer.knows(logical) || window == nullptr || !window->underMouse()) {
        return {};
    }
    // The window draws itself again into a picture of the block under the pointer.
    const int half = blockSide(screen.method()) / 2;
    const QPoint local = window->mapFromGlobal(logical);
    const QRect block = QRect(local - QPoint(half, half), QSize(2 * half + 1, 2 * half + 1))
                            .intersected(window->rect());
    const QImage picture = window->grab(block).toImage();
    ScreenSampler own(
        std::make_unique<ImageScreenReader>(picture, pointer - (local - block.topLeft())));
    own.setMethod(screen.method());
    const Rgb colour = own.sample(pointer);
    return {pointer, own.image(), colour};
}

PickSession* ScreenshotPickSource::makePick(QWidget& window, ScreenSampler& screen) {
    return new ScreenshotPick(m_platform, *m_desktop, window, screen.method());
}
