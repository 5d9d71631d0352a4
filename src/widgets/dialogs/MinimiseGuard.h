#pragma once

#include <QObject>

class QWidget;

// Brings a window that has no minimise button straight back when a window manager
// minimises it anyway: some give every titled window the button, whatever it asks for.
class MinimiseGuard final : public QObject {
public:
    // Guards `window` for as long as it lives.
    explicit MinimiseGuard(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
};
