#include "ColourCopy.h"

#include "ColourMaths.h"
#include "ColourNotation.h"
#include "RecentColoursMenu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace {

const QKeySequence CopyAsHash(Qt::CTRL | Qt::SHIFT | Qt::Key_C);

struct CopyForm {
    ColourForm form;
    const char* text; // the form as it reads in every language
    const char* objectName;
};

constexpr CopyForm CopyForms[] = {
    {ColourForm::Hash, "#RRGGBB", "copyAsHash"},
    {ColourForm::Css, "rgb(r, g, b)", "copyAsRgb"},
    {ColourForm::Hsl, "hsl(h, s%, l%)", "copyAsHsl"},
    {ColourForm::Hwb, "hwb(h w% b%)", "copyAsHwb"},
    {ColourForm::Lab, "lab(L a b)", "copyAsLab"},
    {ColourForm::Lch, "lch(L C h)", "copyAsLch"},
    {ColourForm::Oklab, "oklab(L a b)", "copyAsOklab"},
    {ColourForm::Oklch, "oklch(L C h)", "copyAsOklch"},
    {ColourForm::Dollar, "$RRGGBB", "copyAsDollar"},
};

void copy(Rgb colour, ColourForm form) {
    QGuiApplication::clipboard()->setText(colourInForm(colour, form));
}

} // namespace

ColourCopy::ColourCopy(QWidget& window, QLineEdit* current, QLineEdit* web,
                       RecentColoursMenu& recent)
    : QObject(&window), m_current(current), m_recent(recent) {
    auto* shortcut = new QShortcut(CopyAsHash, &window);
    connect(shortcut, &QShortcut::activated, this, [this] { copy(m_colour, ColourForm::Hash); });
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
    for (const CopyForm& entry : CopyForms) {
        QAction* action = copyAs->addAction(QString::fromLatin1(entry.text));
        action->setObjectName(QLatin1String(entry.objectName));
        if (entry.form == ColourForm::Hash) {
            // Shown beside it, as the window's own shortcut for the current colour; within
            // the open menu it copies this field's value, as the item does.
            action->setShortcut(CopyAsHash);
        }
        const ColourForm form = entry.form;
        connect(action, &QAction::triggered, this, [colour, form] { copy(colour, form); });
    }
}
