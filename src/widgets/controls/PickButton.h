#pragma once

#include <QPushButton>

// The pick button, whose mnemonic clicks it at once: a push button's mnemonic animates a
// press for 100 ms first, and the pick would start that much later.
class PickButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent* event) override;
};
