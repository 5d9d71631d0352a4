#pragma once

#include <QObject>

#include <array>
#include <functional>

class ChannelEditor;
class QWidget;

// Ends a channel field's edit on a press anywhere in the window, also one on the background,
// a label, the magnifier or a swatch, which takes no focus: the field then shows its
// channel's value again rather than a value the colour does not have.
class ChannelEditEnder final : public QObject {
    Q_OBJECT
public:
    // While `picking` says so, presses end nothing.
    ChannelEditEnder(QWidget& window, const std::array<ChannelEditor*, 3>& channels,
                     std::function<bool()> picking);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::array<ChannelEditor*, 3> m_channels;
    std::function<bool()> m_picking;
};
