#pragma once

#include "Rgb.h"

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

private:
    Rgb m_text;
    Rgb m_background{255, 255, 255};
};
