#include "UpDown.h"

#include <QToolButton>

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

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), m_up(makeArrow(this, Qt::UpArrow)), m_down(makeArrow(this, Qt::DownArrow)) {
    // Arrow buttons are not tab stops: the channel's text field and slider take the keys.
    setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { click(Button::Up); });
    connect(m_down, &QToolButton::clicked, this, [this] { click(Button::Down); });
}

void TUpDown::setPosition(int position) {
    m_position = std::clamp(position, minimum(), maximum());
}

void TUpDown::click(Button button) {
    const int next = m_position + (button == Button::Up ? 1 : -1);
    if (next < minimum() || next > maximum()) {
        return; // no wrap: a click at a limit does nothing
    }
    m_position = next;
    emit clicked(button);
}

QToolButton* TUpDown::arrow(Button button) const {
    return button == Button::Up ? m_up : m_down;
}

void TUpDown::resizeEvent(QResizeEvent* /*event*/) {
    const int upperHeight = height() / 2;
    m_up->setGeometry(0, 0, width(), upperHeight);
    m_down->setGeometry(0, upperHeight, width(), height() - upperHeight);
}
