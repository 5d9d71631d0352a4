#include "ContrastView.h"

#include "Contrast.h"
#include "FormFonts.h"
#include "ui_ContrastView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <map>

namespace {

const QRect FigureArea(102, 7, 102, 27);

} // namespace

ContrastView::ContrastView(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::ContrastView>()) {
    setupWithFormFonts(*m_ui, this);
    setObjectName(QStringLiteral("contrastView"));
    m_figureFont = QFont(QStringLiteral("Liberation Mono"));
    m_figureFont.setPixelSize(19);
    m_figureFont.setBold(true);
    const QList<ContrastVerdict*> rows = verdicts();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        rows[i]->setCriterion(Contrast::AllCriteria[i]);
        connect(rows[i], &ContrastVerdict::chosen, this, &ContrastView::suggestionChosen);
    }
    connect(m_ui->swapButton, &QToolButton::clicked, this, &ContrastView::swapRoles);
    showUnknown();
}

ContrastView::~ContrastView() = default;

QList<ContrastVerdict*> ContrastView::verdicts() const {
    return {m_ui->aaNormalText, m_ui->aaLargeText, m_ui->aaaNormalText, m_ui->aaaLargeText,
            m_ui->graphics};
}

QList<QWidget*> ContrastView::tabOrder() {
    QList<QWidget*> order{this, m_ui->swapButton};
    for (const ContrastVerdict* row : verdicts()) {
        order << row->lighterButton() << row->darkerButton();
    }
    return order;
}

void ContrastView::compare(Rgb kept, std::optional<Rgb> other) {
    const std::pair pair{kept, other};
    if (m_shown == pair) {
        return; // a still pointer costs the tick nothing here
    }
    m_shown = pair;
    if (other) {
        show(kept, *other);
    } else {
        showUnknown();
    }
}

void ContrastView::swapRoles() {
    m_keptIsText = !m_keptIsText;
    if (const auto shown = std::exchange(m_shown, std::nullopt)) {
        compare(shown->first, shown->second);
    }
}

void ContrastView::show(Rgb kept, Rgb other) {
    const double ratio = Contrast::ratio(kept, other);
    const QString figure = Contrast::ratioText(ratio);
    m_ui->sample->setColours(m_keptIsText ? kept : other, m_keptIsText ? other : kept);
    // Criteria with one threshold share their suggestions.
    std::map<double, Contrast::Suggestions> suggestions;
    QStringList spoken;
    for (ContrastVerdict* row : verdicts()) {
        const double threshold = Contrast::threshold(row->criterion());
        if (!suggestions.contains(threshold)) {
            suggestions[threshold] = Contrast::nearestMeeting(kept, other, threshold);
        }
        row->showVerdict(ratio, suggestions[threshold]);
        spoken << row->spoken();
    }
    showFigure(figure + QStringLiteral(":1"),
               tr("contrast %1 to 1, %2").arg(figure, spoken.constFirst()),
               spoken.join(QStringLiteral(", ")));
}

void ContrastView::showFigure(const QString& figure, const QString& spoken,
                              const QString& verdicts) {
    if (figure != m_figure) {
        m_figure = figure;
        update(FigureArea);
    }
    setAccessibleName(spoken);
    setAccessibleDescription(verdicts);
}

void ContrastView::paintEvent(QPaintEvent* event) {
    if (!event->rect().intersects(FigureArea)) {
        return; // only the background behind a row
    }
    QPainter painter(this);
    painter.setFont(m_figureFont);
    painter.drawText(FigureArea, Qt::AlignCenter, m_figure);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = FigureArea;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ContrastView::showUnknown() {
    showFigure(QStringLiteral("–"), tr("contrast not known"), tr("No colour under the pointer"));
    for (ContrastVerdict* row : verdicts()) {
        row->showUnknown();
    }
}
