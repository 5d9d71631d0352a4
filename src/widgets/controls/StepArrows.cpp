#include "StepArrows.h"

#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true); // holding an arrow keeps stepping, as spinners do
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

StepArrows::StepArrows(QWidget* parent)
    : QWidget(parent), m_up(makeArrow(this, Qt::UpArrow)), m_down(makeArrow(this, Qt::DownArrow)) {
    // Arrow buttons are not tab stops: the channel's text field and slider take the keys.
    setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { step(Direction::Up); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(Direction::Down); });
}

void StepArrows::setPosition(int position) {
    m_position = std::clamp(position, Minimum, Maximum);
}

void StepArrows::step(Direction direction) {
    const int next = m_position + (direction == Direction::Up ? 1 : -1);
    if (next < Minimum || next > Maximum) {
        return; // no wrap: a click at a limit does nothing
    }
    m_position = next;
    emit stepped();
}

QToolButton* StepArrows::arrow(Direction direction) const {
    return direction == Direction::Up ? m_up : m_down;
}

void StepArrows::resizeEvent(QResizeEvent* /*event*/) {
    const int upperHeight = height() / 2;
    m_up->setGeometry(0, 0, width(), upperHeight);
    m_down->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

void StepArrows::wheelEvent(QWheelEvent* event) {
    // One step per notch (120 eighths of a degree), as a click on the arrow.
    constexpr int Notch = QWheelEvent::DefaultDeltasPerStep;
    m_wheelAngle += event->angleDelta().y();
    while (m_wheelAngle >= Notch || m_wheelAngle <= -Notch) {
        const bool up = m_wheelAngle > 0;
        m_wheelAngle += up ? -Notch : Notch;
        step(up ? Direction::Up : Direction::Down);
    }
    event->accept();
}
