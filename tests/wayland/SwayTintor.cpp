#include "SwayTintor.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/keysym.h>

SwayTintor::SwayTintor(const QByteArray& settings) {
    if (!m_config.isValid() || !m_x.connected()) {
        return;
    }
    if (!settings.isEmpty()) {
        QFile file(m_config.filePath(QStringLiteral("tintor/settings.json")));
        if (!QDir().mkpath(m_config.filePath(QStringLiteral("tintor"))) ||
            !file.open(QIODevice::WriteOnly) || file.write(settings) < 0) {
            return;
        }
    }
    m_run = std::make_unique<TintorRun>(
        m_x, QStringList{QStringLiteral("LANG=C"), "XDG_CONFIG_HOME=" + m_config.path()});
}

QByteArray SwayTintor::settings() const {
    QFile file(m_config.filePath(QStringLiteral("tintor/settings.json")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SwayTintor::pressPick() {
    m_x.focus(main());
    m_x.chord(XK_Alt_L, XK_p);
}

void SwayTintor::pressEscape() {
    m_x.focus(main());
    m_x.tapKey(XK_Escape);
}

bool SwayTintor::movePointer(VirtualPointer& pointer, QPoint at) {
    return pointer.moveUntil(at, [&] { return m_x.pointer() == at; });
}

int SwayTintor::shown(const QString& title) {
    // Override-redirect windows are in no window manager's list: walk the root's children,
    // which Xwayland's window manager leaves unparented.
    Display* display = m_x.display();
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    const auto pid = static_cast<unsigned long>(process().processId());
    int found = 0;
    for (unsigned int i = 0; i < count; ++i) {
        const std::vector<unsigned long> owner = m_x.values(children[i], "_NET_WM_PID");
        if (owner.size() == 1 && owner.front() == pid && m_x.viewable(children[i]) &&
            m_x.title(children[i]) == title) {
            ++found;
        }
    }
    XFree(children);
    return found;
}
