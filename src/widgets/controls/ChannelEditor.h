#pragma once

#include "ChannelSlider.h"
#include "Rgb.h"

#include <QLineEdit>
#include <QWidget>

#include <memory>

namespace Ui {
class ChannelEditor;
}

// One channel's controls: the slider, the step arrows with the text field they set, and the
// gradient bar of what moving the slider would give.  A channel text typed into the field
// ("$" optional, two hexadecimal digits of either case) sets the channel as soon as it is
// whole; when editing ends the field shows the channel's text again, so it never shows a
// value the channel does not have.
class ChannelEditor : public QWidget {
    Q_OBJECT
public:
    explicit ChannelEditor(QWidget* parent = nullptr);
    ~ChannelEditor() override;

    [[nodiscard]] Channel channel() const { return m_channel; }
    // Names and colours the controls for `channel`.
    void setChannel(Channel channel);

    // Shows `colour`, as the program sets it: the slider, arrows and field move only when
    // this channel differs from what they show, and send no notice.
    void setColour(Rgb colour);

    [[nodiscard]] ChannelSlider* slider() const;
    [[nodiscard]] QLineEdit* field() const;

signals:
    // The slider sent its change notice (also for a step that did not move it), an arrow
    // stepped, or a whole value was typed: the channel is now `value`.
    void edited(int value);

private:
    void onSliderChanged();
    void onStepped();
    void onTyped(const QString& text);
    void showChannelText();

    std::unique_ptr<Ui::ChannelEditor> m_ui;
    Channel m_channel = Channel::Red;
};
