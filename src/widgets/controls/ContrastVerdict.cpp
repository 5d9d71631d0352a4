#include "ContrastVerdict.h"

#include "ColourNotation.h"
#include "ui_ContrastVerdict.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// Where the verdict is drawn, left of the suggestions.
constexpr int VerdictLeft = 8;
constexpr int VerdictRight = 182;

} // namespace

ContrastVerdict::ContrastVerdict(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::ContrastVerdict>()) {
    m_ui->setupUi(this);
    m_ui->darker->setUpwards(false);
    m_ui->lighter->hide(); // until there is a suggestion
    m_ui->darker->hide();
    for (SuggestionButton* button : {m_ui->lighter, m_ui->darker}) {
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { emit chosen(button->colour()); });
    }
    layOut();
    showUnknown();
}

ContrastVerdict::~ContrastVerdict() = default;

void ContrastVerdict::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        layOut();
    }
    QWidget::changeEvent(event);
}

void ContrastVerdict::layOut() {
    // A symbol as well as the name: the verdict never rests on colour alone.
    m_texts = {QStaticText(QStringLiteral("? ") + name()),
               QStaticText(QStringLiteral("✓ ") + name()),
               QStaticText(QStringLiteral("✗ ") + name())};
    for (QStaticText& text : m_texts) {
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), font());
    }
    m_spoken = {tr("%1 not known").arg(name()), tr("%1 passes").arg(name()),
                tr("%1 fails").arg(name())};
    setAccessibleName(m_spoken.at(m_verdict));
    update();
}

void ContrastVerdict::paintEvent(QPaintEvent* event) {
    if (!event->rect().intersects(QRect(VerdictLeft, 0, VerdictRight - VerdictLeft, height()))) {
        return; // only the background behind a suggestion
    }
    QPainter painter(this);
    painter.setClipRect(VerdictLeft, 0, VerdictRight - VerdictLeft, height());
    const QStaticText& text = m_texts.at(m_verdict);
    painter.drawStaticText(VerdictLeft, (height() - qRound(text.size().height())) / 2, text);
}

void ContrastVerdict::setVerdict(Verdict verdict) {
    if (verdict != m_verdict) {
        m_verdict = verdict;
        setAccessibleName(m_spoken.at(verdict));
        update(0, 0, VerdictRight, height());
    }
}

QWidget* ContrastVerdict::lighterButton() const {
    return m_ui->lighter;
}

QWidget* ContrastVerdict::darkerButton() const {
    return m_ui->darker;
}

QString ContrastVerdict::name() const {
    return QCoreApplication::translate("Contrast", Contrast::criterionName(m_criterion));
}

void ContrastVerdict::setCriterion(Contrast::Criterion criterion) {
    m_criterion = criterion;
    setToolTip(tr("%1: at least %2").arg(name(), Contrast::thresholdText(criterion)));
    layOut();
    showUnknown();
}

void ContrastVerdict::showVerdict(double ratio, const Contrast::Suggestions& suggestions) {
    const bool meets = Contrast::meets(ratio, m_criterion);
    setVerdict(meets ? Meets : Fails);
    showSuggestions(meets ? Contrast::Suggestions{} : suggestions);
    m_ui->noFix->setVisible(!meets && !suggestions.lighter && !suggestions.darker);
}

void ContrastVerdict::showUnknown() {
    setVerdict(Unknown);
    showSuggestions({});
    m_ui->noFix->hide();
}

QString ContrastVerdict::spoken() const {
    return accessibleName();
}

void ContrastVerdict::showSuggestions(const Contrast::Suggestions& suggestions) {
    if (suggestions.lighter == m_offered.lighter && suggestions.darker == m_offered.darker) {
        return; // the texts below cost more than the tick's figures
    }
    m_offered = suggestions;
    const auto offer = [this](SuggestionButton* button, std::optional<Rgb> colour,
                              const QString& direction) {
        button->setVisible(colour.has_value());
        if (colour) {
            const QString text = colourInForm(*colour, ColourForm::Hash);
            button->setColour(*colour);
            button->setAccessibleName(direction.arg(text));
            button->setToolTip(tr("%1: meets %2").arg(direction.arg(text), name()));
        }
    };
    offer(m_ui->lighter, suggestions.lighter, tr("Lighter %1"));
    offer(m_ui->darker, suggestions.darker, tr("Darker %1"));
}
