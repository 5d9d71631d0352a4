#pragma once

#include <QString>

#include <exception>

class QWidget;

// The standard error box: the program's title as caption, an error icon and an OK button.
void ShowErrorBox(QWidget* parent, const QString& message);

// Runs an event handler; an error that escapes it ends the handler and is shown in the
// standard error box, and the program carries on.
template <typename Handler> void RunHandler(QWidget* window, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorBox(window, QString::fromUtf8(error.what()));
    }
}
