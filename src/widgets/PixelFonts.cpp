#include "PixelFonts.h"

#include <QWidget>

namespace {

void applyPixelFont(QWidget* widget) {
    const QVariant size = widget->property("pixelSize");
    if (!size.isValid()) {
        return;
    }
    QFont font = widget->font();
    font.setPixelSize(size.toInt());
    widget->setFont(font);
}

} // namespace

void applyPixelFonts(QWidget* root) {
    applyPixelFont(root);
    for (QWidget* child : root->findChildren<QWidget*>()) {
        applyPixelFont(child);
    }
}
