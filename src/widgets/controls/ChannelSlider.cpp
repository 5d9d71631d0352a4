#include "ChannelSlider.h"

#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <cstdlib>

namespace {

constexpr int ThumbLength = 16; // across the channel
constexpr int ThumbWidth = 11;  // along the channel
constexpr int ChannelThickness = 4;

// Draws the channel as a thin sunken line and keeps the style's own thumb, so the thumb
// looks native while no selection range or wide groove is ever drawn.
class ThinTrackStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_SliderLength:
            return ThumbWidth;
        case PM_SliderThickness:
        case PM_SliderControlThickness:
            return ThumbLength;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        if (control != CC_Slider || slider == nullptr) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect groove = subControlRect(CC_Slider, slider, SC_SliderGroove, widget);
        const QRect handle = subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
        const QRect channel(groove.left() + ThumbWidth / 2,
                            handle.center().y() - ChannelThickness / 2, groove.width() - ThumbWidth,
                            ChannelThickness);
        const QPalette& palette = slider->palette;
        painter->fillRect(channel, palette.color(QPalette::Base));
        painter->setPen(palette.color(QPalette::Dark));
        painter->drawLine(channel.topLeft(), channel.topRight());
        painter->drawLine(channel.topLeft(), channel.bottomLeft());
        painter->setPen(palette.color(QPalette::Light));
        painter->drawLine(channel.bottomLeft(), channel.bottomRight());
        painter->drawLine(channel.topRight(), channel.bottomRight());

        QStyleOptionSlider thumb(*slider);
        thumb.subControls = SC_SliderHandle;
        QProxyStyle::drawComplexControl(CC_Slider, &thumb, painter, widget);
    }
};

bool isNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

ChannelSlider::ChannelSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    auto* style = new ThinTrackStyle; // owned by this slider through the parent below
    style->setParent(this);
    setStyle(style);
    setRange(0, 255);
    setSingleStep(4);
    setPageStep(16);
    setTickInterval(16);
    setTickPosition(QSlider::NoTicks);
    setFocusPolicy(Qt::StrongFocus);

    connect(this, &QSlider::valueChanged, this, &ChannelSlider::changed);
    connect(this, &QSlider::actionTriggered, this, &ChannelSlider::onActionTriggered);
}

void ChannelSlider::onActionTriggered(int /*action*/) {
    // The action has moved the slider position but not yet the value.  When the value
    // will not move, no valueChanged follows; the user's step still counts as a notice.
    if (sliderPosition() == value()) {
        emit changed();
    }
}

void ChannelSlider::wheelEvent(QWheelEvent* event) {
    // One step per notch (120 eighths of a degree), as the arrow keys step, rather than
    // Qt's three lines of a step each.
    constexpr int Notch = QWheelEvent::DefaultDeltasPerStep;
    const QPoint angle = event->angleDelta();
    // A sideways tilt to the right moves the thumb right, as Qt's own sliders do.
    int delta = std::abs(angle.x()) > std::abs(angle.y()) ? -angle.x() : angle.y();
    if (event->inverted()) {
        delta = -delta;
    }
    m_wheelAngle += delta;
    while (m_wheelAngle >= Notch || m_wheelAngle <= -Notch) {
        const bool up = m_wheelAngle > 0;
        m_wheelAngle += up ? -Notch : Notch;
        triggerAction(up ? SliderSingleStepAdd : SliderSingleStepSub);
    }
    event->accept();
}

void ChannelSlider::keyReleaseEvent(QKeyEvent* event) {
    QSlider::keyReleaseEvent(event);
    if (isNavigationKey(event->key()) && !event->isAutoRepeat()) {
        emit changed(); // the end of the key's scroll
    }
}

void ChannelSlider::mousePressEvent(QMouseEvent* event) {
    QSlider::mousePressEvent(event);
    m_mouseTracking = event->isAccepted();
}

void ChannelSlider::mouseReleaseEvent(QMouseEvent* event) {
    const bool draggedThumb = isSliderDown();
    QSlider::mouseReleaseEvent(event);
    if (!m_mouseTracking) {
        return;
    }
    m_mouseTracking = false;
    if (draggedThumb) {
        emit changed(); // the thumb's final position
    }
    emit changed(); // the end of the scroll
}
