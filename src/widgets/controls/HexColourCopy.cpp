#include "HexColourCopy.h"

#include "ColourMaths.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace {

void copy(Rgb colour) {
    QGuiApplication::clipboard()->setText(webColourText(colour));
}

} // namespace

HexColourCopy::HexColourCopy(QWidget& window, QLineEdit* current, QLineEdit* web)
    : QObject(&window), m_current(current) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &window);
    connect(shortcut, &QShortcut::activated, this, [this] { copy(m_colour); });
    for (QLineEdit* field : {current, web}) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
                [this, field](QPoint position) { showMenu(field, position); });
    }
}

Rgb HexColourCopy::colourOf(const QLineEdit* field) const {
    return field == m_current ? m_colour : webSafe(m_colour);
}

void HexColourCopy::showMenu(QLineEdit* field, QPoint position) {
    QMenu* menu = field->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* hex = menu->addAction(tr("Copy as #RRGGBB"));
    hex->setObjectName(QStringLiteral("copyAsHex"));
    const Rgb colour = colourOf(field);
    connect(hex, &QAction::triggered, this, [colour] { copy(colour); });
    menu->popup(field->mapToGlobal(position));
}
