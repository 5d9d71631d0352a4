#pragma once

#include "PickSession.h"

class Platform;
class QWidget;
class ScreenSampler;

// A pick where the screen can be read live (an X11 session): the window captures the
// pointer, and every tick's sample is the colour.
class X11Pick final : public PickSession {
    Q_OBJECT
public:
    X11Pick(Platform& platform, QWidget& window, ScreenSampler& screen);

    void start() override;
    [[nodiscard]] PointerSample follow(QPoint pointer) override;
    void movePoint(QPoint offset) override;
    void end() override {}

private:
    Platform& m_platform;
    QWidget& m_window;
    ScreenSampler& m_screen;
};
