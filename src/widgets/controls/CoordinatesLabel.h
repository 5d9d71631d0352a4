#pragma once

#include <QLabel>

#include <optional>

// The pointer's place on two lines, "x:" and "y:"; question marks where it is not known.
class CoordinatesLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    void showPosition(std::optional<QPoint> position);

private:
    bool m_shown = false;
    std::optional<QPoint> m_position;
};
