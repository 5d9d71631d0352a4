#pragma once

#include "PlatformServices.h"
#include "SettingsFile.h"

#include <memory>
#include <string>

struct _XDisplay;

// The services on an X11 server.  Screen and pointer reads go through a connection of
// their own, in device pixels whatever scaling the toolkit applies; the capture uses the
// toolkit's own pointer grab, so the toolkit routes every press to the capturing window.
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
    [[nodiscard]] RegistryStore& Settings() override { return m_settings; }

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

    explicit X11Platform(DisplayPtr display);

    DisplayPtr m_display;
    SettingsFile m_settings;
};
