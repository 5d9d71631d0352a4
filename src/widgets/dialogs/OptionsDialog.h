#pragma once

#include "Sampling.h"

#include <QDialog>

#include <memory>

class QRadioButton;

namespace Ui {
class OptionsDialog;
}

// The options dialog: the four sampling methods, OK and Cancel.  It has no cancel key and
// no title-bar buttons: OK or Cancel ends it.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // The selected method; one is always selected.
    [[nodiscard]] SamplingMethod method() const;
    // Selects `method`; a value past the known methods selects the last.
    void setMethod(SamplingMethod method);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    [[nodiscard]] QRadioButton* item(int index) const;

    std::unique_ptr<Ui::OptionsDialog> m_ui;
};
