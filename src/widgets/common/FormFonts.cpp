#include "FormFonts.h"

#include <QCoreApplication>
#include <QDynamicPropertyChangeEvent>
#include <QFontDatabase>
#include <QWidget>

namespace {

constexpr QLatin1StringView WindowsSansSerif("MS Sans Serif");
// Qt's fontconfig database registers the desktop's sans-serif under this name.
constexpr QLatin1StringView DesktopSansSerif("Sans Serif");

} // namespace

FormFonts::FormFonts() {
    QCoreApplication::instance()->installEventFilter(this);
}

FormFonts::~FormFonts() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool FormFonts::lacksWindowsSansSerif() {
    if (!m_lacksWindowsSansSerif) {
        m_lacksWindowsSansSerif =
            !QFontDatabase::families().contains(WindowsSansSerif, Qt::CaseInsensitive);
    }
    return *m_lacksWindowsSansSerif;
}

bool FormFonts::eventFilter(QObject* watched, QEvent* event) {
    const bool sizeSet =
        event->type() == QEvent::DynamicPropertyChange &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "pixelSize";
    // Until the form gives the widget its own font, the size waits for it: the font it has
    // now, its parent's, is not the one it shows.
    if (!watched->isWidgetType() || !(sizeSet || event->type() == QEvent::FontChange) ||
        !static_cast<QWidget*>(watched)->testAttribute(Qt::WA_SetFont)) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    QFont font = widget->font();
    const int pixelSize = widget->property("pixelSize").toInt();
    const bool resize = pixelSize > 0 && font.pixelSize() != pixelSize;
    const QStringList families = font.families();
    const bool rename =
        families.size() == 1 && families.first() == WindowsSansSerif && lacksWindowsSansSerif();
    if (!resize && !rename) {
        return false;
    }
    if (resize) {
        font.setPixelSize(pixelSize);
    }
    if (rename) {
        font.setFamilies({QString(DesktopSansSerif)});
    }
    widget->setFont(font);
    // The font the form has just set is never shown: the widget need not lay its text out
    // in it.
    return event->type() == QEvent::FontChange;
}
