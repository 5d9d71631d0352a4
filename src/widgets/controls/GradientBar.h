#pragma once

#include "Rgb.h"

#include <QWidget>

// What moving one channel's slider would give: that channel from 0 to 254 across the bar,
// the other two as in the current colour.
class GradientBar : public QWidget {
    Q_OBJECT
public:
    explicit GradientBar(QWidget* parent = nullptr);

    void setChannel(Channel channel);

    // Repaints only when the bar's own row changes: the bar's channel of `colour` is not shown.
    void setColour(Rgb colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Channel m_channel = Channel::Red;
    Rgb m_colour;
};
