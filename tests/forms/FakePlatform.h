#pragma once

#include "core/ColourMaths.h"
#include "platform/PlatformServices.h"
#include "settings/SettingsStore.h"

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

// Stands in for the X11 services in widget tests: a screen image the test paints, a pointer
// the test places, the nearest-colour and shell answers the test chooses, and records of
// what the program asked for.
class FakePlatform final : public PlatformServices {
public:
    std::function<ColourRef(ColourRef)> nearest = [](ColourRef c) { return c; };
    QImage screen{640, 480, QImage::Format_RGB32};
    std::optional<ScreenPoint> pointer = ScreenPoint{0, 0};
    // A real settings file, in a directory of the test's own.
    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.filePath(QStringLiteral("tintor/settings.json"))};

    int contextsTaken = 0;
    int contextsReleased = 0;
    int pixelReads = 0; // GetPixel calls
    int blockReads = 0; // ReadBlock calls
    int captures = 0;
    int releases = 0;

    std::optional<ScreenRect> confinement;           // the limit in force
    std::vector<std::optional<ScreenRect>> clipping; // every ClipCursor request
    std::vector<QString> opened;                     // every target handed to the shell
    bool shellOpens = true;                          // what the shell answers

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

    SettingsStore& Settings() override { return settings; }

    // Logical pixels: the offscreen platform does not scale.
    std::optional<ScreenRect> GetWindowRect(const QWidget& control) override {
        if (!control.isVisible()) {
            return std::nullopt;
        }
        const QPoint origin = control.mapToGlobal(QPoint(0, 0));
        return ScreenRect{origin.x(), origin.y(), control.width(), control.height()};
    }

    bool ClipCursor(std::optional<ScreenRect> area) override {
        clipping.push_back(area);
        confinement = area;
        return true;
    }

    // Answers from the event loop, as the real launcher does.
    void ShellExecute(QWidget& owner, const QString& target,
                      std::function<void(bool)> done) override {
        opened.push_back(target);
        QTimer::singleShot(0, &owner, [done = std::move(done), ok = shellOpens] { done(ok); });
    }

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
