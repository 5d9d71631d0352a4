#include "RecentColoursMenu.h"

#include "ColourNotation.h"
#include "FramedFill.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QWidget>

namespace {

// Alt+R: "recent"; no other key of the window's has it.
const QKeySequence OpenKey(Qt::ALT | Qt::Key_R);

QMenu* newMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    return menu;
}

} // namespace

RecentColoursMenu::RecentColoursMenu(QWidget& window, QWidget& swatch)
    : QObject(&window), m_swatch(swatch) {
    connect(new QShortcut(OpenKey, &window), &QShortcut::activated, this,
            &RecentColoursMenu::openFromKeyboard);
    offerOn(swatch);
}

void RecentColoursMenu::offerOn(QWidget& widget) {
    widget.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&widget, &QWidget::customContextMenuRequested, this, [this, &widget](QPoint position) {
        if (m_on) {
            QMenu* menu = newMenu(&widget);
            addTo(*menu);
            menu->popup(widget.mapToGlobal(position));
        }
    });
}

void RecentColoursMenu::addTo(QMenu& menu) {
    QMenu* recent = menu.addMenu(tr("Recent colours"));
    recent->setObjectName(QStringLiteral("recentColours"));
    fill(*recent);
    menu.addActions(m_beside);
}

void RecentColoursMenu::fill(QMenu& menu) {
    for (const Rgb colour : m_colours) {
        QPixmap sample(16, 16);
        // Framed as Qt's colour dialog frames its cells, so that white shows on the menu.
        QPainter painter(&sample);
        fillFramed(painter, sample.rect(), QColor::fromRgb(colour.toQRgb()),
                   menu.palette().color(QPalette::Text));
        painter.end();
        QAction* entry = menu.addAction(sample, colourInForm(colour, ColourForm::Hash));
        connect(entry, &QAction::triggered, this, [this, colour] {
            if (m_on) {
                emit chosen(colour);
            }
        });
    }
    if (!m_colours.isEmpty()) {
        menu.addSeparator();
    }
    QAction* clear = menu.addAction(tr("Clear"));
    clear->setObjectName(QStringLiteral("clearRecentColours"));
    clear->setEnabled(!m_colours.isEmpty());
    connect(clear, &QAction::triggered, this, &RecentColoursMenu::cleared);
}

void RecentColoursMenu::openFromKeyboard() {
    if (!m_on) {
        return;
    }
    QMenu* menu = newMenu(&m_swatch);
    menu->setObjectName(QStringLiteral("recentColours"));
    fill(*menu);
    menu->popup(m_swatch.mapToGlobal(QPoint(0, m_swatch.height())));
    // The newest colour is chosen with Return at once; the arrows go on from there.
    menu->setActiveAction(menu->actions().constFirst());
}
