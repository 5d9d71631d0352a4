// The screen sampler of the main window: every 50 ms it shows the pointer's coordinates
// and a magnified view of the pixel or block under it, and, while picking, drives the
// sliders with the sampled colour.

#include "PaintBox.h"
#include "ThinTrackBar.h"
#include "TintorMain.h"
#include "settings/StoredMethod.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cstdio>

namespace {

QRgb toRgb(ColourRef colour) {
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

} // namespace

void TMainForm::SetUpSampler() {
    SampleBitmap = QImage();
    const StartupMethod stored = readStartupMethod(m_platform.Settings());
    if (stored.problem) {
        // Start anyway, with the single pixel; the user should know why it will not stick.
        std::fprintf(stderr,
                     "tintor: the sampling method cannot be stored (%s); using single pixel\n",
                     stored.problem->c_str());
    }
    ChosenMethod = stored.method;
    sizeSampleBitmap();
    if (!SampleBitmap.isNull()) {
        SampleBitmap.setPixel(0, 0, toRgb(0));
    }
    ActiveMethod = ChosenMethod;
}

void TMainForm::ApplySamplingMethod() {
    sizeSampleBitmap();
    ActiveMethod = ChosenMethod;
}

void TMainForm::sizeSampleBitmap() {
    const int side = BlockSide(ChosenMethod);
    if (side == 0 || (!SampleBitmap.isNull() && SampleBitmap.width() == side)) {
        return; // an unknown method leaves the bitmap; the same side leaves it untouched
    }
    SampleBitmap = QImage(side, side, QImage::Format_RGB32);
    SampleBitmap.fill(Qt::black); // until the next tick fills it
}

void TMainForm::PickTmrTimer() {
    const std::optional<ScreenPoint> pointer = m_platform.GetCursorPos();
    if (!pointer || !ScreenDC) {
        return; // nothing to sample where the pointer cannot be found
    }
    const auto [x, y] = *pointer;
    showCoordinates(*pointer);

    ColourRef colour = 0;
    const int side = BlockSide(ActiveMethod);
    if (side == 1) {
        colour = ScreenDC->GetPixel(x, y);
        MagBox->setColour(colour);
        SampleBitmap.setPixel(0, 0, toRgb(colour));
    } else if (side > 1 && SampleBitmap.width() == side) {
        // One read serves both the mean and the magnified copy.
        const int k = side / 2;
        const auto block = std::span(m_block).first(static_cast<std::size_t>(side * side));
        ScreenDC->ReadBlock(x - k, y - k, side, block);
        colour = BlockMean(block);
        for (int row = 0; row < side; ++row) {
            auto* line = reinterpret_cast<QRgb*>(SampleBitmap.scanLine(row));
            for (int column = 0; column < side; ++column) {
                line[column] = toRgb(block[static_cast<std::size_t>(row * side + column)]);
            }
        }
        MagBox->invalidate();
    }

    if (!PFSBtn->isEnabled()) {
        TrackR->setValue(GetRValue(colour));
        TrackG->setValue(GetGValue(colour));
        TrackB->setValue(GetBValue(colour));
    }
    // Starting a pick shows the default cursor over the button; the tick puts the hand back.
    if (PFSBtn->cursor().shape() != Qt::PointingHandCursor) {
        PFSBtn->setCursor(Qt::PointingHandCursor);
    }
}

void TMainForm::showCoordinates(ScreenPoint point) {
    if (m_shownCoordinates == point) {
        return; // the label already reads so
    }
    m_shownCoordinates = point;
    CoordsLbl->setText(QStringLiteral("x:%1\ry:%2").arg(point.x).arg(point.y));
}

void TMainForm::MagBoxPaint(QPainter& painter) {
    if (BlockSide(ActiveMethod) == 0 || SampleBitmap.isNull()) {
        return; // the window's background shows through
    }
    // Pixel replication: each sampled pixel becomes a sharp cell.  The bottom image row
    // falls outside the 47-pixel-high box.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, 48, 48), SampleBitmap);
}
