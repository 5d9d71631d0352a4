#include "OptionsDialog.h"

#include "FormFonts.h"
#include "MinimiseGuard.h"
#include "WindowPlacement.h"
#include "ui_OptionsDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>
#include <array>

OptionsDialog::OptionsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(std::make_unique<Ui::OptionsDialog>()) {
    setupWithFormFonts(*m_ui, this);
    setUpFixedWindow(*this);
    setModal(true);
    new MinimiseGuard(*this);
    for (int index = 0; index < 4; ++index) {
        item(index)->installEventFilter(this);
    }
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

OptionsDialog::~OptionsDialog() = default;

QRadioButton* OptionsDialog::item(int index) const {
    const std::array items{m_ui->singlePixel, m_ui->mean3x3, m_ui->mean5x5, m_ui->mean7x7};
    return items.at(static_cast<std::size_t>(std::clamp(index, 0, 3)));
}

SamplingMethod OptionsDialog::method() const {
    for (int index = 0; index < 4; ++index) {
        if (item(index)->isChecked()) {
            return static_cast<SamplingMethod>(index);
        }
    }
    return SamplingMethod::SinglePixel;
}

void OptionsDialog::setMethod(SamplingMethod method) {
    item(static_cast<int>(method))->setChecked(true);
}

void OptionsDialog::showEvent(QShowEvent* event) {
    centreOverParentOnce(*this);
    QDialog::showEvent(event);
    // The keyboard starts on the method list, at the method in force.
    item(static_cast<int>(method()))->setFocus(Qt::TabFocusReason);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Qt moves through a vertical list with Up and Down only; Left and Right move too, as
    // in any radio group.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            const int next = static_cast<int>(method()) + (key == Qt::Key_Right ? 1 : -1);
            item(next)->setChecked(true);
            item(next)->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    // The dialog has no cancel key, and no default button: Return presses only a
    // focused button.  No button is auto-default either, so none is drawn as the default.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (event->key() == Qt::Key_Escape || enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && enter) {
            button->click();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    // Closed by the window manager all the same: as good as Cancel.
    setResult(QDialog::Rejected);
    QDialog::closeEvent(event);
}
