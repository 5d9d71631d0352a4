#include "FocusChain.h"

#include <QWidget>

void activateWithFocus(QWidget& window) {
    window.activateWindow();
    if (QWidget* active = window.focusWidget(); active != nullptr && active->isEnabled()) {
        active->setFocus(Qt::ActiveWindowFocusReason);
        return;
    }
    for (QWidget* next = window.nextInFocusChain(); next != &window;
         next = next->nextInFocusChain()) {
        if (next->isEnabled() && next->isVisible() && (next->focusPolicy() & Qt::TabFocus) != 0) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void chainTabOrder(const QList<QWidget*>& order) {
    QWidget* previous = nullptr;
    for (QWidget* next : order) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    }
}
