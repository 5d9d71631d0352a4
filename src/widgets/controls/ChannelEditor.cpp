#include "ChannelEditor.h"

#include "ColourMaths.h"
#include "ui_ChannelEditor.h"

#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace {

struct ChannelLook {
    const char* name;
    const char* accessibleName;
    QColor background;
    QColor text;
};

ChannelLook lookOf(Channel channel) {
    switch (channel) {
    case Channel::Green:
        return {"green", "Green", Qt::green, Qt::black};
    case Channel::Blue:
        return {"blue", "Blue", Qt::blue, Qt::white};
    case Channel::Red:
        break;
    }
    return {"red", "Red", Qt::red, Qt::white};
}

} // namespace

ChannelEditor::ChannelEditor(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::ChannelEditor>()) {
    m_ui->setupUi(this);
    m_ui->field->setText(channelText(m_ui->arrows->position()));
    // Nothing past a channel text: a third digit would show a value the channel cannot take.
    m_ui->field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\$?[0-9A-Fa-f]{0,2}")), m_ui->field));
    connect(m_ui->slider, &ChannelSlider::changed, this, &ChannelEditor::onSliderChanged);
    connect(m_ui->arrows, &StepArrows::stepped, this, &ChannelEditor::onStepped);
    // Only typing is read: the program's own writes to the field are not typing.
    connect(m_ui->field, &QLineEdit::textEdited, this, &ChannelEditor::onTyped);
    connect(m_ui->field, &QLineEdit::editingFinished, this, &ChannelEditor::showChannelText);
    setChannel(m_channel);
}

ChannelEditor::~ChannelEditor() = default;

void ChannelEditor::setChannel(Channel channel) {
    m_channel = channel;
    const ChannelLook look = lookOf(channel);
    const QString name = QString::fromLatin1(look.name);
    const QString shown = QString::fromLatin1(look.accessibleName);
    // Named as the window's own controls, so that each can be found by its channel.
    m_ui->slider->setObjectName(name + QLatin1String("Slider"));
    m_ui->field->setObjectName(name + QLatin1String("Field"));
    m_ui->arrows->setObjectName(name + QLatin1String("Arrows"));
    m_ui->gradientFrame->setObjectName(name + QLatin1String("GradientFrame"));
    m_ui->gradient->setObjectName(name + QLatin1String("Gradient"));
    m_ui->slider->setAccessibleName(shown);
    m_ui->field->setAccessibleName(shown + QLatin1String(" value"));
    m_ui->arrows->setAccessibleName(shown + QLatin1String(" step"));
    m_ui->gradient->setAccessibleName(shown + QLatin1String(" gradient"));
    QPalette palette;
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window}) {
        palette.setColor(role, look.background);
    }
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, look.text);
    }
    m_ui->field->setPalette(palette);
    m_ui->gradient->setChannel(channel);
}

void ChannelEditor::setColour(Rgb colour) {
    m_ui->gradient->setColour(colour);
    const int value = colour.channel(m_channel);
    if (value == m_ui->slider->value()) {
        return; // a typed text stays until the channel moves
    }
    const QSignalBlocker blockSlider(m_ui->slider);
    m_ui->slider->setValue(value);
    m_ui->arrows->setPosition(value);
    m_ui->field->setText(channelText(m_ui->arrows->position()));
}

ChannelSlider* ChannelEditor::slider() const {
    return m_ui->slider;
}

QLineEdit* ChannelEditor::field() const {
    return m_ui->field;
}

void ChannelEditor::onSliderChanged() {
    m_ui->arrows->setPosition(m_ui->slider->value());
    m_ui->field->setText(channelText(m_ui->arrows->position()));
    emit edited(m_ui->slider->value());
}

void ChannelEditor::onTyped(const QString& text) {
    const std::optional<int> typed = readChannelText(text);
    if (!typed) {
        return; // not yet a whole value: the channel stays as it is
    }
    m_ui->arrows->setPosition(*typed);
    {
        const QSignalBlocker blockSlider(m_ui->slider);
        m_ui->slider->setValue(*typed);
    }
    emit edited(*typed); // the field keeps the text as typed until editing ends
}

void ChannelEditor::showChannelText() {
    const QString shown = channelText(m_ui->arrows->position());
    if (m_ui->field->text() != shown) {
        m_ui->field->setText(shown);
    }
}

void ChannelEditor::onStepped() {
    const int position = m_ui->arrows->position();
    m_ui->field->setText(channelText(position));
    {
        const QSignalBlocker blockSlider(m_ui->slider);
        m_ui->slider->setValue(position);
    }
    emit edited(position);
}
