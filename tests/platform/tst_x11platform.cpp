// The X11 services against a real server.  Registered twice: on a 24-bit and on a 16-bit
// Xvfb, where most colours have only a displayable neighbour.

#include "platform/X11Platform.h"

#include <QTest>

#include <X11/Xlib.h>

#include <cstdlib>
#include <memory>

namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// What the server itself makes of a colour on its default colour map.
ColourRef serverShows(Display* display, ColourRef colour) {
    XColor request{};
    request.red = static_cast<unsigned short>(GetRValue(colour) * 257);
    request.green = static_cast<unsigned short>(GetGValue(colour) * 257);
    request.blue = static_cast<unsigned short>(GetBValue(colour) * 257);
    const Colormap map = DefaultColormap(display, DefaultScreen(display));
    if (XAllocColor(display, map, &request) == 0) {
        return CLR_INVALID;
    }
    return RGB(request.red >> 8, request.green >> 8, request.blue >> 8);
}

int distance(ColourRef a, ColourRef b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

} // namespace

class X11PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void unreachableDisplayGivesMessage();
    void nearestColourIsDisplayableAndClosest();
    void contextsCanBeTakenAndGivenBackRepeatedly();

private:
    DisplayPtr m_display;
    std::unique_ptr<X11Platform> m_platform;
};

void X11PlatformTest::initTestCase() {
    m_display.reset(XOpenDisplay(nullptr));
    QVERIFY2(m_display, "these tests need an X server in DISPLAY");
    std::string error;
    m_platform = X11Platform::open(error);
    QVERIFY2(m_platform, error.c_str());
}

void X11PlatformTest::unreachableDisplayGivesMessage() {
    std::string error;
    QVERIFY(!X11Platform::open(error, ":4711"));
    QVERIFY2(error.find(":4711") != std::string::npos, error.c_str());
    QVERIFY2(error.find("X11") != std::string::npos, error.c_str());
}

void X11PlatformTest::nearestColourIsDisplayableAndClosest() {
    const auto screen = m_platform->GetDC();
    const int depth = DefaultDepth(m_display.get(), DefaultScreen(m_display.get()));
    int moved = 0;
    for (int v = 0; v < 256; v += 3) {
        const ColourRef colour = RGB(v, 255 - v, (v * 7) & 0xFF);
        const ColourRef nearest = screen->GetNearestColor(colour);
        // The server shows the answer exactly as it is...
        QCOMPARE(serverShows(m_display.get(), nearest), nearest);
        // ...and shows nothing closer for the colour asked about.
        QVERIFY(distance(nearest, colour) <=
                distance(serverShows(m_display.get(), colour), colour));
        moved += nearest != colour ? 1 : 0;
    }
    if (depth >= 24) {
        QCOMPARE(moved, 0); // true colour: every colour is its own nearest
    } else {
        QVERIFY(moved > 0);
    }
}

void X11PlatformTest::contextsCanBeTakenAndGivenBackRepeatedly() {
    for (int i = 0; i < 100; ++i) {
        const auto screen = m_platform->GetDC();
        QCOMPARE(screen->GetNearestColor(RGB(0, 0, 0)), RGB(0, 0, 0));
        QCOMPARE(screen->GetNearestColor(RGB(255, 255, 255)), RGB(255, 255, 255));
    }
}

QTEST_GUILESS_MAIN(X11PlatformTest)
#include "tst_x11platform.moc"
