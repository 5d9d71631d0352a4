#include "ColourSwatch.h"

#include "ColourNotation.h"
#include "NamedColours.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourSwatch::setColour(Rgb colour) {
    if (colour != m_colour) {
        m_colour = colour;
        update();
        if (m_naming) {
            showName();
        }
    }
}

void ColourSwatch::nameColours() {
    m_naming = true;
    m_caption = toolTip();
    showName();
}

void ColourSwatch::showName() {
    const NamedColours::Nearest nearest = NamedColours::nearest(m_colour);
    const QString name = nearest.exact ? QString(nearest.name) : tr("near %1").arg(nearest.name);
    setToolTip(m_caption.isEmpty() ? name : m_caption + u'\n' + name);
}

void ColourSwatch::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(m_colour.toQRgb()));
}

void ColourSwatch::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
    QWidget::mouseDoubleClickEvent(event);
}

void ColourSwatch::mousePressEvent(QMouseEvent* event) {
    if (m_draggable && event->button() == Qt::LeftButton) {
        m_pressedAt = event->position().toPoint();
    }
    // On to the window as before, where a press may end a pick.
    QWidget::mousePressEvent(event);
}

void ColourSwatch::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressedAt && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - *m_pressedAt).manhattanLength() >=
            QApplication::startDragDistance()) {
        m_pressedAt.reset();
        dragColour();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    m_pressedAt.reset();
    QWidget::mouseReleaseEvent(event);
}

void ColourSwatch::dragColour() {
    const QColor colour = QColor::fromRgb(m_colour.toQRgb());
    auto* data = new QMimeData;
    data->setColorData(colour);
    data->setText(colourInForm(m_colour, ColourForm::Hash));
    QPixmap picture(24, 24);
    picture.fill(colour);
    auto* drag = new QDrag(this); // Qt deletes it once the drag is over
    drag->setMimeData(data);
    drag->setPixmap(picture);
    drag->exec(Qt::CopyAction);
}
