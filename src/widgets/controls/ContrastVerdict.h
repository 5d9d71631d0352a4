#pragma once

#include "Contrast.h"

#include <QWidget>

#include <memory>

namespace Ui {
class ContrastVerdict;
}

// One success criterion's verdict on a pair of colours, marked by a symbol as well as a
// word for the screen reader, and, where it fails, the nearest lighter and darker colours
// that meet it.
class ContrastVerdict : public QWidget {
    Q_OBJECT
public:
    explicit ContrastVerdict(QWidget* parent = nullptr);
    ~ContrastVerdict() override;

    void setCriterion(Contrast::Criterion criterion);
    [[nodiscard]] Contrast::Criterion criterion() const { return m_criterion; }
    // The verdict on `ratio`, with the colours that would meet it where it fails.
    void showVerdict(double ratio, const Contrast::Suggestions& suggestions);
    // Neither colour known: no verdict.
    void showUnknown();
    // "AA normal text passes", as a screen reader says it.
    [[nodiscard]] QString spoken() const;

    [[nodiscard]] QWidget* lighterButton() const;
    [[nodiscard]] QWidget* darkerButton() const;

signals:
    void chosen(Rgb colour);

private:
    [[nodiscard]] QString name() const;
    void showSuggestions(const Contrast::Suggestions& suggestions);

    std::unique_ptr<Ui::ContrastVerdict> m_ui;
    Contrast::Criterion m_criterion = Contrast::Criterion::AaNormalText;
};
