#include "ContrastVerdict.h"

#include "ColourNotation.h"
#include "ui_ContrastVerdict.h"

#include <QCoreApplication>

ContrastVerdict::ContrastVerdict(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::ContrastVerdict>()) {
    m_ui->setupUi(this);
    for (SuggestionButton* button : {m_ui->lighter, m_ui->darker}) {
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { emit chosen(button->colour()); });
    }
    showUnknown();
}

ContrastVerdict::~ContrastVerdict() = default;

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
    showUnknown();
}

void ContrastVerdict::showVerdict(double ratio, const Contrast::Suggestions& suggestions) {
    const bool meets = Contrast::meets(ratio, m_criterion);
    // A symbol and the word for it: the verdict never rests on colour alone.
    m_ui->verdict->setText((meets ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + name());
    m_ui->verdict->setAccessibleName(meets ? tr("%1 passes").arg(name())
                                           : tr("%1 fails").arg(name()));
    showSuggestions(meets ? Contrast::Suggestions{} : suggestions);
    m_ui->noFix->setVisible(!meets && !suggestions.lighter && !suggestions.darker);
}

void ContrastVerdict::showUnknown() {
    m_ui->verdict->setText(QStringLiteral("? ") + name());
    m_ui->verdict->setAccessibleName(tr("%1 not known").arg(name()));
    showSuggestions({});
    m_ui->noFix->hide();
}

QString ContrastVerdict::spoken() const {
    return m_ui->verdict->accessibleName();
}

void ContrastVerdict::showSuggestions(const Contrast::Suggestions& suggestions) {
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
