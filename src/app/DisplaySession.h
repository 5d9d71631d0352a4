#pragma once

#include <QByteArray>

#include <optional>

// Which toolkit platform Tintor runs on, and whether there is an X display to use.
class DisplaySession {
public:
    // Chooses the X11 platform for the toolkit: screen reads go through X11, so the windows
    // must live on the same X server (in a Wayland session, Xwayland).  Qt's own `-display`
    // among `arguments` becomes DISPLAY, so that every X connection opens that server.
    static DisplaySession prepare(int argc, char* argv[]);

    // A Wayland session, where X shows only the windows that run through Xwayland.
    [[nodiscard]] bool isWayland() const { return m_wayland; }

    // Set when there is no X display to use, after saying what is missing.
    [[nodiscard]] std::optional<int> exitStatus() const { return m_exitStatus; }

    // Once the application object exists: programs that Tintor starts (mail program,
    // browser) get the platform the user asked for, not Tintor's choice.
    void restorePlatform() const;

private:
    std::optional<int> m_exitStatus;
    bool m_wayland = false;
    // The toolkit platform asked for before Tintor chose X11 (empty: none was asked for).
    std::optional<QByteArray> m_replacedPlatform;
};
