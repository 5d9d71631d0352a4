#include "PickButton.h"

#include <QShortcutEvent>

bool PickButton::event(QEvent* event) {
    // An ambiguous mnemonic only moves the focus, as Qt's own buttons do.
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        click();
        return true;
    }
    return QPushButton::event(event);
}
