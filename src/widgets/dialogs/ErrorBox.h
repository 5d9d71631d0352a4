#pragma once

#include <QString>

class QWidget;

// The standard error box: the program's title as caption, an error icon and an OK button.
// It opens modal to `parent`'s window and returns at once; until answered it is the child of
// `parent` named "ErrorBox".
void showErrorBox(QWidget* parent, const QString& message);
