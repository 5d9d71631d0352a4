#pragma once

#include "Rgb.h"

#include <QStaticText>
#include <QWidget>

// A line of text in one colour on the other, at the two sizes WCAG tells apart, so that the
// figure beside it can be seen for what it means.
class ContrastSample : public QWidget {
    Q_OBJECT
public:
    explicit ContrastSample(QWidget* parent = nullptr);

    void setColours(Rgb text, Rgb background);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layOut();

    // Laid out once: the follower may repaint the sample every tick.
    QFont m_largeFont;
    QStaticText m_large;
    QStaticText m_normal;
    Rgb m_text;
    Rgb m_background{255, 255, 255};
};
