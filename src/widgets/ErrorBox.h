#pragma once

#include <QString>

class QWidget;

// The standard error box: the program's title as caption, an error icon and an OK button.
void showErrorBox(QWidget* parent, const QString& message);
