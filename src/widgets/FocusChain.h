#pragma once

class QWidget;

// Activates `window` as the windowing system would: its active control gets the focus
// again, or, where it has none, the first control in tab order that can take it.
void activateWithFocus(QWidget& window);
