#include "CoordinatesLabel.h"

void CoordinatesLabel::showPosition(std::optional<QPoint> position) {
    if (m_shown && m_position == position) {
        return; // the label already reads so
    }
    m_shown = true;
    m_position = position;
    setText(position ? QStringLiteral("x:%1\ry:%2").arg(position->x()).arg(position->y())
                     : QStringLiteral("x:?\ry:?"));
}
