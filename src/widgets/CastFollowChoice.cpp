#include "CastFollowChoice.h"

#include "Setting.h"
#include "SettingsStore.h"
#include "StayOnTop.h"
#include "WidgetsLog.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

namespace {

QString failureText(ScreenCast::Failure failure) {
    switch (failure) {
    case ScreenCast::Failure::Unavailable:
        return CastFollowChoice::tr("The desktop offers no screen cast with the pointer's place.");
    case ScreenCast::Failure::Refused:
        return CastFollowChoice::tr("The desktop did not share the screen.");
    case ScreenCast::Failure::StreamFailed:
        return CastFollowChoice::tr("The screen cast broke off.");
    case ScreenCast::Failure::NoFrames:
        return CastFollowChoice::tr("The desktop sent no picture of the screen.");
    case ScreenCast::Failure::PlaceMismatch:
        return CastFollowChoice::tr("The screen cast does not show the pointer where it is.");
    case ScreenCast::Failure::Failed:
        break;
    }
    return CastFollowChoice::tr("The desktop could not share the screen.");
}

} // namespace

CastFollowChoice::CastFollowChoice(Platform& platform, ScreenCast& cast, SettingsStore& settings,
                                   QWidget& window)
    : QObject(&window), m_cast(cast), m_settings(settings), m_window(window),
      m_action(new QAction(tr("Follow the pointer everywhere"), this)) {
    m_action->setObjectName(QStringLiteral("followEverywhere"));
    m_action->setCheckable(true);
    m_action->setChecked(m_settings.value(Settings::FollowEverywhere).toBool());
    m_action->setVisible(m_cast.isOffered());
    connect(m_action, &QAction::triggered, this, &CastFollowChoice::choose);
    connect(&m_cast, &ScreenCast::offerKnown, this, [this](bool offered) {
        m_action->setVisible(offered);
        openIfWanted();
    });
    connect(&m_cast, &ScreenCast::opened, this, [this](const QString& token) {
        m_opening = false;
        if (!token.isEmpty() && token != m_settings.value(Settings::ScreenCastToken).toString()) {
            if (const Result<void> stored = m_settings.write(Settings::ScreenCastToken, token);
                !stored) {
                qCWarning(lcWidgets).noquote() << "the screen cast's token:" << stored.error();
            }
        }
    });
    connect(&m_cast, &ScreenCast::failed, this,
            [this](ScreenCast::Failure failure) { turnOff(failureText(failure)); });
    connect(&m_cast, &ScreenCast::closedByDesktop, this,
            [this] { turnOff(tr("The screen sharing was ended from the desktop.")); });
    connect(&m_cast, &ScreenCast::askingUserChanged, this, [this, &platform](bool asking) {
        StayOnTop::of(platform, m_window).setAsking(*this, asking);
    });
    window.installEventFilter(this);
    openIfWanted();
}

void CastFollowChoice::offerIn(QWidget& widget) {
    widget.setContextMenuPolicy(Qt::ActionsContextMenu);
    widget.addAction(m_action);
}

QString CastFollowChoice::hint() const {
    if (!m_action->isVisible() || m_cast.isOpen()) {
        return {};
    }
    // As rich text, so that the tooltip wraps its lines.
    return QStringLiteral("<p>%1</p>")
        .arg(tr("Over other programs' windows Tintor does not know where the pointer is. "
                "Right-click here and choose \"Follow the pointer everywhere\" to follow it "
                "anywhere; the desktop will ask you to share the screen.")
                 .toHtmlEscaped());
}

void CastFollowChoice::choose(bool on) {
    store(on);
    if (on) {
        openIfWanted();
    } else {
        m_opening = false;
        m_cast.close();
    }
}

void CastFollowChoice::openIfWanted() {
    if (m_action->isChecked() && m_cast.isOffered() && !m_window.isMinimized() &&
        !m_cast.isOpen() && !m_opening) {
        m_opening = true;
        m_cast.open(m_settings.value(Settings::ScreenCastToken).toString());
    }
}

void CastFollowChoice::turnOff(const QString& detail) {
    m_opening = false;
    m_action->setChecked(false);
    store(false);
    emit stopped(tr("The pointer is followed only over Tintor's windows."), detail);
}

void CastFollowChoice::store(bool on) {
    if (const Result<void> stored = m_settings.write(Settings::FollowEverywhere, on); !stored) {
        qCWarning(lcWidgets).noquote() << "the choice to follow everywhere:" << stored.error();
    }
}

bool CastFollowChoice::eventFilter(QObject* watched, QEvent* event) {
    // Minimised, nothing is followed: the desktop stops sharing until the window is back.
    if (watched == &m_window && event->type() == QEvent::WindowStateChange) {
        if (m_window.isMinimized()) {
            m_opening = false;
            m_cast.close();
        } else {
            openIfWanted();
        }
    }
    return false;
}
