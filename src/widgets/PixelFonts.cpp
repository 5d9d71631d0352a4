#include "PixelFonts.h"

#include <QCoreApplication>
#include <QDynamicPropertyChangeEvent>
#include <QWidget>

PixelFonts::PixelFonts() {
    QCoreApplication::instance()->installEventFilter(this);
}

PixelFonts::~PixelFonts() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PixelFonts::eventFilter(QObject* watched, QEvent* event) {
    const bool sizeSet =
        event->type() == QEvent::DynamicPropertyChange &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "pixelSize";
    if (!watched->isWidgetType() || !(sizeSet || event->type() == QEvent::FontChange)) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    const int pixelSize = widget->property("pixelSize").toInt();
    QFont font = widget->font();
    // Until the form gives the widget its own font, the size waits for it: the font it has
    // now, its parent's, is not the one it shows.
    if (pixelSize <= 0 || font.pixelSize() == pixelSize || !widget->testAttribute(Qt::WA_SetFont)) {
        return false;
    }
    font.setPixelSize(pixelSize);
    widget->setFont(font);
    // The font the form has just set, in the size it inherits, is never shown: the widget
    // need not lay its text out in it.
    return event->type() == QEvent::FontChange;
}
