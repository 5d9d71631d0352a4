#pragma once

#include <QList>

class QWidget;

// Tab goes from each widget of `order` to the next: Qt 6.6's QWidget::setTabOrder({...}),
// back-ported for the Qt 6.4 that Debian 12 ships.
void chainTabOrder(const QList<QWidget*>& order);

// Activates `window` as the windowing system would: its active control gets the focus
// again, or, where it has none, the first control in tab order that can take it.
void activateWithFocus(QWidget& window);
