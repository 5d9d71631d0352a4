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
