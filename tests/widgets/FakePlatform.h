#pragma once

#include "ClipboardReader.h"
#include "Platform.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

// Stands in for the X11 services in widget tests: a screen image the test paints, a pointer
// the test places, the nearest-colour answer the test chooses, and records of what the
// program asked for.
class FakePlatform final : public Platform {
public:
    std::function<Rgb(Rgb)> nearest = [](Rgb c) { return c; };
    QImage screen{640, 480, QImage::Format_RGB32};
    std::optional<QPoint> pointer = QPoint(0, 0);

    int readersTaken = 0;
    int readersReleased = 0;
    int pixelReads = 0;
    int blockReads = 0;
    int captures = 0;
    int releases = 0;

    std::optional<QRect> confinement;           // the limit in force
    std::vector<std::optional<QRect>> clipping; // every confinePointer request

    FakePlatform() { screen.fill(Qt::black); }

    // A 16-bit screen (5-6-5), where most colours have a displayable neighbour instead.
    void useHighColour() {
        const auto level = [](int value, int bits) {
            const int top = (1 << bits) - 1;
            const int nearest = (value * top + 127) / 255;
            return (nearest * 65535 / top) >> 8;
        };
        nearest = [level](Rgb c) {
            return Rgb(level(c.red(), 5), level(c.green(), 6), level(c.blue(), 5));
        };
    }

    void paint(int x, int y, Rgb colour) { screen.setPixel(x, y, colour.toQRgb()); }

    [[nodiscard]] ScreenPixel screenPixel(QPoint p) const {
        if (!screen.rect().contains(p)) {
            return std::nullopt;
        }
        return Rgb::fromQRgb(screen.pixel(p));
    }

    std::unique_ptr<ScreenReader> screenReader() override {
        ++readersTaken;
        return std::make_unique<Reader>(*this);
    }

    std::optional<QPoint> pointerPosition() override { return pointer; }

    void capturePointer(QWidget& window) override {
        window.grabMouse();
        ++captures;
    }

    void releasePointer(QWidget& window) override {
        window.releaseMouse();
        ++releases;
    }

    void movePointerBy(QPoint offset) override {
        pointer = pointer ? std::optional(*pointer + offset) : std::nullopt;
    }

    std::vector<std::pair<QString, WindowFrame>> frames; // every frame asked for, by window
    // Qt's offscreen clipboard answers at once.
    std::unique_ptr<ClipboardReader> clipboardReader() override {
        return std::make_unique<QtClipboardReader>();
    }

    void setFrame(QWidget& window, WindowFrame frame) override {
        frames.emplace_back(window.objectName(), frame);
    }

    std::vector<bool> keptAbove; // every stay-on-top state asked for
    void setKeptAbove(QWidget&, bool above) override { keptAbove.push_back(above); }

    // Logical pixels: the offscreen platform does not scale.
    std::optional<QRect> deviceGeometry(const QWidget& widget) override {
        if (!widget.isVisible()) {
            return std::nullopt;
        }
        return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
    }

    bool confinePointer(std::optional<QRect> area) override {
        clipping.push_back(area);
        confinement = area;
        return true;
    }

private:
    class Reader final : public ScreenReader {
    public:
        explicit Reader(FakePlatform& owner) : m_owner(owner) {}
        ~Reader() override { ++m_owner.readersReleased; }
        [[nodiscard]] Rgb nearestDisplayable(Rgb colour) const override {
            return m_owner.nearest(colour);
        }
        [[nodiscard]] ScreenPixel pixel(QPoint point) override {
            ++m_owner.pixelReads;
            return m_owner.screenPixel(point);
        }
        void readBlock(QPoint topLeft, int side, std::span<ScreenPixel> out) override {
            ++m_owner.blockReads;
            for (int row = 0; row < side; ++row) {
                for (int column = 0; column < side; ++column) {
                    out[static_cast<std::size_t>(row * side + column)] =
                        m_owner.screenPixel(topLeft + QPoint(column, row));
                }
            }
        }

    private:
        FakePlatform& m_owner;
    };
};
