#pragma once

#include "core/ColourMaths.h"
#include "platform/PlatformServices.h"
#include "platform/SettingsFile.h"

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>

// Stands in for the X11 services in widget tests: a screen image the test paints, a pointer
// the test places, the nearest-colour answer the test chooses, and counts of what the
// program asked for.
class FakePlatform final : public PlatformServices {
public:
    std::function<ColourRef(ColourRef)> nearest = [](ColourRef c) { return c; };
    QImage screen{640, 480, QImage::Format_RGB32};
    std::optional<ScreenPoint> pointer = ScreenPoint{0, 0};
    // A real settings file, in a directory of the test's own.
    QTemporaryDir settingsDir;
    SettingsFile settings{settingsDir.filePath(QStringLiteral("tintor/settings.reg"))};

    int contextsTaken = 0;
    int contextsReleased = 0;
    int pixelReads = 0; // GetPixel calls
    int blockReads = 0; // ReadBlock calls
    int captures = 0;
    int releases = 0;

    FakePlatform() { screen.fill(Qt::black); }

    // A 16-bit screen, where most colours have a displayable neighbour instead.
    void useHighColour() {
        nearest = [](ColourRef c) { return NearestTrueColour(c, 0xF800, 0x07E0, 0x001F); };
    }

    void paint(int x, int y, ColourRef colour) {
        screen.setPixel(x, y, qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    }

    [[nodiscard]] ColourRef screenPixel(int x, int y) const {
        if (!screen.rect().contains(x, y)) {
            return CLR_INVALID;
        }
        const QRgb p = screen.pixel(x, y);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    }

    std::unique_ptr<ScreenContext> GetDC() override {
        ++contextsTaken;
        return std::make_unique<Context>(*this);
    }

    std::optional<ScreenPoint> GetCursorPos() override { return pointer; }

    bool SetCapture(QWidget& window) override {
        window.grabMouse();
        ++captures;
        return true;
    }

    void ReleaseCapture(QWidget& window) override {
        window.releaseMouse();
        ++releases;
    }

    RegistryStore& Settings() override { return settings; }

private:
    class Context final : public ScreenContext {
    public:
        explicit Context(FakePlatform& owner) : m_owner(owner) {}
        ~Context() override { ++m_owner.contextsReleased; }
        [[nodiscard]] ColourRef GetNearestColor(ColourRef colour) const override {
            return m_owner.nearest(colour);
        }
        [[nodiscard]] ColourRef GetPixel(int x, int y) override {
            ++m_owner.pixelReads;
            return m_owner.screenPixel(x, y);
        }
        void ReadBlock(int x, int y, int side, std::span<ColourRef> out) override {
            ++m_owner.blockReads;
            for (int row = 0; row < side; ++row) {
                for (int column = 0; column < side; ++column) {
                    out[static_cast<std::size_t>(row * side + column)] =
                        m_owner.screenPixel(x + column, y + row);
                }
            }
        }

    private:
        FakePlatform& m_owner;
    };
};
