#include "ErrorBox.h"

#include <QMessageBox>

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tintor"), message, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}
