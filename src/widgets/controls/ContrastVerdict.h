#pragma once

#include "Contrast.h"

#include <QStaticText>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class ContrastVerdict;
}

// One success criterion's verdict on a pair of colours, marked by a symbol as well as a
// word for the screen reader, and, where it fails, the nearest lighter and darker colours
// that meet it.  It draws its own verdict: the follower may change it every tick.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum Verdict { Unknown, Meets, Fails };

    [[nodiscard]] QString name() const;
    void layOut();
    void setVerdict(Verdict verdict);
    void showSuggestions(const Contrast::Suggestions& suggestions);

    std::unique_ptr<Ui::ContrastVerdict> m_ui;
    Contrast::Criterion m_criterion = Contrast::Criterion::AaNormalText;
    Verdict m_verdict = Unknown;
    std::array<QStaticText, 3> m_texts; // by Verdict, laid out once
    std::array<QString, 3> m_spoken;    // by Verdict
    Contrast::Suggestions m_offered;
};
