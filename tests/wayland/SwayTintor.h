#pragma once

// One run of Tintor in the sway session, seen from X (Xwayland): its windows, its title,
// the swatch's pixels and its keys.  Each run has settings of its own.

#include "SwayDesktop.h"
#include "TintorRun.h"
#include "XSession.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>

class SwayTintor {
public:
    // `settings`, when not empty, is the settings file at the start.
    explicit SwayTintor(const QByteArray& settings = {});

    // The settings file as it is now.
    [[nodiscard]] QByteArray settings() const;

    // The main window showed.
    [[nodiscard]] bool started() const { return m_run && m_run->main() != 0; }
    XSession& x() { return m_x; }
    Window main() const { return m_run->main(); }
    QProcess& process() { return m_run->process(); }
    QRect mainRect() { return m_x.clientRect(main()); }
    QString title() { return m_x.title(main()); }
    std::optional<Rgb> swatch() { return m_run->swatch(); }

    // Alt+P and Escape, as typed on the main window.
    void pressPick();
    void pressEscape();

    // Moves the pointer until X sees it there.
    bool movePointer(VirtualPointer& pointer, QPoint at);

    // Tintor's viewable top-level windows with that title, managed or not.
    int shown(const QString& title);

private:
    QTemporaryDir m_config;
    XSession m_x;
    std::unique_ptr<TintorRun> m_run;
};
