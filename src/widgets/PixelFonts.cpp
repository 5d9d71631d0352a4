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
    // Children before their parents: a parent's new size then reaches only the children
    // that take their size from it, and no text is laid out again in a size it will not keep.
    const QList<QWidget*> children = root->findChildren<QWidget*>();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        applyPixelFont(*child);
    }
    applyPixelFont(root);
}
