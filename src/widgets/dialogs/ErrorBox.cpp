#include "ErrorBox.h"

#include <QMessageBox>

void showErrorBox(QWidget* parent, const QString& message) {
    // No nested event loop: the failed handler ends at once, and the box goes when answered.
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Tintor"), message,
                                QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("ErrorBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
