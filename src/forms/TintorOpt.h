#pragma once

#include <QDialog>

#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

// The options dialog: one group of four sampling methods, OK and Cancel.  Created once
// at start-up and reused; it ends with modal result 1 (OK) or 2 (Cancel).
class TOptForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int OkResult = 1;
    static constexpr int CancelResult = 2;

    explicit TOptForm(QWidget* parent = nullptr);

    QGroupBox* MethodGrp;
    std::array<QRadioButton*, 4> MethodItems;
    QPushButton* OKBtn;
    QPushButton* Button1;

    // The index of the selected item; an item is always selected.
    [[nodiscard]] int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();

    bool m_placed = false;
};

// The program's one options dialog.
extern TOptForm* OptForm;
