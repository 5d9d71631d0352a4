#pragma once

#include "Rgb.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class ContrastView;
}
class ContrastVerdict;

// The contrast between the kept colour and the colour under the pointer: WCAG's ratio, a
// sample of text in one on the other, each success criterion's verdict and, where one
// fails, the nearest colours of the kept colour's hue that meet it.  The kept colour is the
// text until the roles are swapped.  The view draws its figure itself, and a screen reader
// reads it as the view's name.
class ContrastView : public QWidget {
    Q_OBJECT
public:
    explicit ContrastView(QWidget* parent = nullptr);
    ~ContrastView() override;

    // Shows the pair; `other` is nothing where the colour under the pointer is not known.
    // The same pair again changes nothing.
    void compare(Rgb kept, std::optional<Rgb> other);
    void swapRoles();
    // The view's controls in tab order.
    [[nodiscard]] QList<QWidget*> tabOrder();

signals:
    // A suggested colour taken by the user, to take the place of the kept one.
    void suggestionChosen(Rgb colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showFigure(const QString& figure, const QString& spoken, const QString& verdicts);
    void show(Rgb kept, Rgb other);
    void showUnknown();
    [[nodiscard]] QList<ContrastVerdict*> verdicts() const;

    std::unique_ptr<Ui::ContrastView> m_ui;
    bool m_keptIsText = true;
    QString m_figure;
    QFont m_figureFont;
    std::optional<std::pair<Rgb, std::optional<Rgb>>> m_shown;
};
