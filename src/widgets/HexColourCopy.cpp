#include "HexColourCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

HexColourCopy::HexColourCopy(QWidget& window, QLineEdit* current, QLineEdit* other)
    : QObject(&window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &window);
    connect(shortcut, &QShortcut::activated, this, [current] { copy(current); });
    for (QLineEdit* field : {current, other}) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
                [field](QPoint position) { showMenu(field, position); });
    }
}

void HexColourCopy::copy(const QLineEdit* field) {
    QString text = field->text();
    if (text.startsWith(QLatin1Char('$'))) {
        text.replace(0, 1, QLatin1Char('#'));
    }
    QGuiApplication::clipboard()->setText(text);
}

void HexColourCopy::showMenu(QLineEdit* field, QPoint position) {
    QMenu* menu = field->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    QAction* hex = menu->addAction(tr("Copy as #RRGGBB"));
    hex->setObjectName(QStringLiteral("copyAsHex"));
    connect(hex, &QAction::triggered, field, [field] { copy(field); });
    menu->popup(field->mapToGlobal(position));
}
