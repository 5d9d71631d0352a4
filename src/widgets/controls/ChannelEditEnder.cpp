#include "ChannelEditEnder.h"

#include "ChannelEditor.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

ChannelEditEnder::ChannelEditEnder(QWidget& window, const std::array<ChannelEditor*, 3>& channels,
                                   std::function<bool()> picking)
    : QObject(&window), m_window(window), m_channels(channels), m_picking(std::move(picking)) {
    window.installEventFilter(this);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

bool ChannelEditEnder::eventFilter(QObject* watched, QEvent* event) {
    // The press first: other events come also while the window is being taken down.
    if (event->type() != QEvent::MouseButtonPress || m_picking()) {
        return false;
    }
    QWidget* focused = m_window.focusWidget();
    if (watched->isWidgetType() &&
        (static_cast<QWidget*>(watched)->focusPolicy() & Qt::ClickFocus) == 0 &&
        std::any_of(m_channels.begin(), m_channels.end(),
                    [focused](ChannelEditor* editor) { return editor->field() == focused; })) {
        focused->clearFocus();
    }
    return false;
}
