#pragma once

#include "Platform.h"
#include "Result.h"

#include <QList>
#include <QString>

#include <memory>

struct _XDisplay;
class PointerBarriers;

// The services on an X11 server.  Screen and pointer reads go through a connection of
// their own, in device pixels whatever scaling the toolkit applies; the capture uses the
// toolkit's own pointer grab, so the toolkit routes every press to the capturing window.
// The pointer is confined by barriers on the own connection.
//
// The toolkit half is in X11Platform.cpp, the Xlib half in X11PlatformXlib.cpp: Qt's
// headers and Xlib's macros do not mix.
class X11Platform final : public Platform {
public:
    // Connects to the display named by DISPLAY (or `displayName`).  Fails with a message
    // for the user when no server can be reached or its screen cannot show true colour.
    static Result<std::unique_ptr<X11Platform>> open(const char* displayName = nullptr);

    ~X11Platform() override;

    [[nodiscard]] std::unique_ptr<ScreenReader> screenReader() override;
    [[nodiscard]] std::optional<QPoint> pointerPosition() override;
    void capturePointer(QWidget& window) override;
    void releasePointer(QWidget& window) override;
    void movePointerBy(QPoint offset) override;
    [[nodiscard]] std::optional<QRect> deviceGeometry(const QWidget& widget) override;
    bool confinePointer(std::optional<QRect> area) override;
    void setFrame(QWidget& window, WindowFrame frame) override;
    void setKeptAbove(QWidget& window, bool above) override;
    [[nodiscard]] std::unique_ptr<ClipboardReader> clipboardReader() override;

    // The client areas of other processes' viewable windows of class `name` (either part of
    // WM_CLASS), in device pixels.
    [[nodiscard]] QList<QRect> othersWindowsOfClass(const char* name);

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

    explicit X11Platform(DisplayPtr display);

    // Where the native window `window` lies on the root, in device pixels.
    [[nodiscard]] std::optional<QPoint> rootOrigin(unsigned long window) const;
    void setMotifHints(unsigned long window, unsigned long functions, unsigned long decorations);
    void askAbove(unsigned long window, bool above);

    DisplayPtr m_display;
    bool m_canConfine = false;
    unsigned long m_motifHintsAtom = 0;
    unsigned long m_stateAtom = 0;
    unsigned long m_aboveAtom = 0;
    // Declared after the connection, so it goes first.
    std::unique_ptr<PointerBarriers> m_barriers;
};
