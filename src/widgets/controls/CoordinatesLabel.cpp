#include "CoordinatesLabel.h"

void CoordinatesLabel::showPosition(std::optional<QPoint> position) {
    if (m_shown && m_position == position) {
        return; // the label already reads so
    }
    m_shown = true;
    m_position = position;
    // A line feed: the label breaks no line at a carriage return.
    setText(position ? QStringLiteral("x:%1\ny:%2").arg(position->x()).arg(position->y())
                     : QStringLiteral("x:?\ny:?"));
}
