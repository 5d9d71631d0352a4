#include "ColourCopy.h"

#include "ColourMaths.h"
#include "ColourNotation.h"
#include "NamedColours.h"
#include "RecentColoursMenu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace {

const QKeySequence CopyAsHash(Qt::CTRL | Qt::SHIFT | Qt::Key_C);

void copy(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace

ColourCopy::ColourCopy(QWidget& window, QLineEdit* current, QLineEdit* web,
                       RecentColoursMenu& recent)
    : QObject(&window), m_current(current), m_recent(recent) {
    auto* shortcut = new QShortcut(CopyAsHash, &window);
    connect(shortcut, &QShortcut::activated, this,
            [this] { copy(colourInForm(m_colour, ColourForm::Hash)); });
    for (QLineEdit* field : {current, web}) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
                [this, field](QPoint position) { showMenu(field, position); });
    }
}

Rgb ColourCopy::colourOf(const QLineEdit* field) const {
    return field == m_current ? m_colour : webSafe(m_colour);
}

void ColourCopy::showMenu(QLineEdit* field, QPoint position) {
    QMenu* menu = field->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    addCopyAs(*menu, colourOf(field));
    m_recent.addTo(*menu);
    menu->popup(field->mapToGlobal(position));
}

void ColourCopy::addCopyAs(QMenu& menu, Rgb colour) {
    QMenu* copyAs = menu.addMenu(tr("Copy as"));
    copyAs->setObjectName(QStringLiteral("copyAs"));
    // Each entry shows the very text it copies, as colour pickers' menus do.
    const auto offer = [this, copyAs](const QString& text, QLatin1String name) {
        QAction* action = copyAs->addAction(text);
        // copyAsHex, copyAsRgb... copyAsName
        action->setObjectName(QStringLiteral("copyAs") + QChar(name.front()).toUpper() +
                              name.sliced(1));
        connect(action, &QAction::triggered, this, [text] { copy(text); });
        return action;
    };
    for (const FormRow& row : colourForms()) {
        if (!row.offered) {
            continue;
        }
        QAction* action = offer(colourInForm(colour, row.form), QLatin1String(row.name));
        if (row.form == ColourForm::Hash) {
            // Shown beside it, as the window's own shortcut for the current colour; within
            // the open menu it copies this field's value, as the item does.
            action->setShortcut(CopyAsHash);
        }
    }
    if (const NamedColours::Nearest named = NamedColours::nearest(colour); named.exact) {
        offer(QString(named.name), QLatin1String("name"));
    }
}
