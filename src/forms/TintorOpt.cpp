#include "TintorOpt.h"

#include "ErrorBox.h"
#include "TintorMain.h"
#include "TintorOptLayout.h"
#include "settings/StoredMethod.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <stdexcept>

TOptForm* OptForm = nullptr;

namespace {

template <typename T> T* place(QWidget* window, const char* name) {
    return FormLayout::place<T>(window, OptFormLayout(), name);
}

QString text(const BiText& bi) {
    return QString::fromUtf8(Choose(bi));
}

} // namespace

TOptForm::TOptForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("OptForm"));
    FormLayout::applyWindow(this, OptFormLayout());
    setBackgroundRole(QPalette::Button);
    setModal(true);
    MethodGrp = place<QGroupBox>(this, "MethodGrp");
    for (std::size_t i = 0; i < MethodItems.size(); ++i) {
        MethodItems[i] = place<QRadioButton>(this, ("Method" + std::to_string(i)).c_str());
    }
    MethodItems[0]->setChecked(true);
    OKBtn = place<QPushButton>(this, "OKBtn");
    OKBtn->setText(text(FormLayout::row(OptFormLayout(), "OKBtn").text));
    Button1 = place<QPushButton>(this, "Button1");
    Button1->setText(text(FormLayout::row(OptFormLayout(), "Button1").text));
    // Neither button is the default one: Enter presses only the focused button.
    for (QPushButton* button : {OKBtn, Button1}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    FormLayout::applyTabOrder(this, OptFormLayout());
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(OkResult); });
    connect(Button1, &QPushButton::clicked, this, [this] { done(CancelResult); });
}

int TOptForm::ItemIndex() const {
    const auto checked = std::find_if(MethodItems.begin(), MethodItems.end(),
                                      [](const QRadioButton* item) { return item->isChecked(); });
    return checked == MethodItems.end() ? 0 : static_cast<int>(checked - MethodItems.begin());
}

void TOptForm::SetItemIndex(int index) {
    MethodItems[static_cast<std::size_t>(std::clamp(index, 0, 3))]->setChecked(true);
}

void TOptForm::showEvent(QShowEvent* event) {
    if (!m_placed && MainForm != nullptr) {
        // Centred over the main window the first time only; later showings keep the place.
        const QRect main = MainForm->geometry();
        setGeometry(std::max(0, main.left() + (main.width() - width()) / 2),
                    std::max(0, main.top() + (main.height() - height()) / 2), width(), height());
        m_placed = true;
    }
    FormShow();
    QDialog::showEvent(event);
}

void TOptForm::FormShow() {
    SetItemIndex(MainForm != nullptr ? MainForm->ActiveMethod : 0);
    setWindowTitle(text(OptFormTexts::Title));
    MethodGrp->setTitle(text(OptFormTexts::GroupCaption));
    for (std::size_t i = 0; i < MethodItems.size(); ++i) {
        MethodItems[i]->setText(text(OptFormTexts::Methods[i]));
    }
}

void TOptForm::keyPressEvent(QKeyEvent* event) {
    // The dialog has no cancel button: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TOptForm::closeEvent(QCloseEvent* event) {
    // Closed by the window manager: as good as Cancel.
    setResult(CancelResult);
    QDialog::closeEvent(event);
}

void TMainForm::OptBtnClick() {
    if (OptForm == nullptr) {
        return;
    }
    if (OptForm->exec() != TOptForm::OkResult) {
        return; // nothing changes and nothing is written
    }
    ChosenMethod = static_cast<SamplingMethod>(OptForm->ItemIndex());
    if (const Result<void> stored = storeMethod(m_platform.Settings(), ChosenMethod); !stored) {
        throw std::runtime_error(stored.error()); // shown in the error box
    }
    ApplySamplingMethod();
}
