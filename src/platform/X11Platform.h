#pragma once

#include "PlatformServices.h"
#include "settings/SettingsStore.h"

#include <memory>
#include <string>

struct _XDisplay;
class PointerConfinement;

// The services on an X11 server.  Screen and pointer reads go through a connection of
// their own, in device pixels whatever scaling the toolkit applies; the capture uses the
// toolkit's own pointer grab, so the toolkit routes every press to the capturing window.
// The pointer is confined by barriers on the own connection, and the shell's "open" is
// the desktop's xdg-open.
class X11Platform final : public PlatformServices {
public:
    // Connects to the display named by DISPLAY (or `displayName`).  Returns null and fills
    // `error` with a message for the user when no server can be reached.
    static std::unique_ptr<X11Platform> open(std::string& error, const char* displayName = nullptr);

    ~X11Platform() override;

    [[nodiscard]] std::unique_ptr<ScreenContext> GetDC() override;
    [[nodiscard]] std::optional<ScreenPoint> GetCursorPos() override;
    bool SetCapture(QWidget& window) override;
    void ReleaseCapture(QWidget& window) override;
    [[nodiscard]] std::optional<ScreenRect> GetWindowRect(const QWidget& control) override;
    bool ClipCursor(std::optional<ScreenRect> area) override;
    void ShellExecute(QWidget& owner, const QString& target,
                      std::function<void(bool opened)> done) override;
    [[nodiscard]] SettingsStore& Settings() override { return m_settings; }

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

    explicit X11Platform(DisplayPtr display);

    // Where the native window `window` lies on the root, in device pixels.
    [[nodiscard]] std::optional<ScreenPoint> rootOrigin(unsigned long window) const;

    DisplayPtr m_display;
    SettingsStore m_settings;
    bool m_canConfine = false;
    // Declared after the connection, so it goes first.
    std::unique_ptr<PointerConfinement> m_confinement;
};
