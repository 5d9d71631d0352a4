#include "PickKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <optional>

namespace {

std::optional<QPoint> arrowStep(int key, int pixels) {
    switch (key) {
    case Qt::Key_Left:
        return QPoint(-pixels, 0);
    case Qt::Key_Right:
        return QPoint(pixels, 0);
    case Qt::Key_Up:
        return QPoint(0, -pixels);
    case Qt::Key_Down:
        return QPoint(0, pixels);
    default:
        return std::nullopt;
    }
}

} // namespace

void PickKeys::setOn(bool on) {
    if (on) {
        QCoreApplication::instance()->installEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool PickKeys::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = press->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) {
        return false; // Alt+O and the like still open what they open
    }
    const int key = press->key();
    const bool ends = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
                      key == Qt::Key_Escape;
    const std::optional<QPoint> step = arrowStep(key, modifiers == Qt::ShiftModifier ? 10 : 1);
    if (!ends && !step) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // the key press follows, and no shortcut takes it first
        return true;
    }
    if (step) {
        emit moved(*step);
    } else if (key == Qt::Key_Escape) {
        emit cancelled();
    } else {
        emit accepted();
    }
    return true;
}
