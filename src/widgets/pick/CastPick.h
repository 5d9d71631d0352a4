#pragma once

#include "PickSession.h"
#include "XwaylandPointer.h"

#include <memory>
#include <optional>
#include <vector>

class CastPickOverlay;
class Platform;
class QWidget;
class ScreenCast;

// A pick from the desktop's live screen cast: no picture is taken; every tick reads the
// newest frames under the pointer.  Windows that show nothing lie over every monitor to
// take the click that ends the pick and to show the windowing system where the pointer is.
class CastPick final : public PickSession {
    Q_OBJECT
public:
    CastPick(Platform& platform, ScreenCast& cast, QWidget& window);
    ~CastPick() override;

    void start() override;
    [[nodiscard]] PointerSample follow(QPoint pointer) override;
    // No program may move the pointer here: the point read moves by pixels of the picture.
    void movePoint(QPoint offset) override;
    void end() override;

private:
    Platform& m_platform;
    ScreenCast& m_cast;
    QWidget& m_window;
    XwaylandPointer m_pointer;
    std::vector<std::unique_ptr<CastPickOverlay>> m_overlays;
    // Where the keys moved the point read, in pixels of the picture, from the pointer's place
    // when they did.
    QPoint m_moved;
    std::optional<QPoint> m_lastPointer;
};
