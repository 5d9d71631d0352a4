// The X11 services against a real server.  Registered twice: on a 24-bit and on a 16-bit
// Xvfb, where most colours have only a displayable neighbour.

#include "PixelFormat.h"
#include "X11Platform.h"
#include "XSession.h"

#include <QTest>

#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The server's own colour cell for `colour` on its default colour map, if it can give one.
std::optional<XColor> allocated(Display* display, Rgb colour) {
    XColor request{};
    request.red = static_cast<unsigned short>(colour.red() * 257);
    request.green = static_cast<unsigned short>(colour.green() * 257);
    request.blue = static_cast<unsigned short>(colour.blue() * 257);
    const Colormap map = DefaultColormap(display, DefaultScreen(display));
    return XAllocColor(display, map, &request) != 0 ? std::optional(request) : std::nullopt;
}

// What the server itself makes of a colour.
std::optional<Rgb> serverShows(Display* display, Rgb colour) {
    const std::optional<XColor> cell = allocated(display, colour);
    return cell ? std::optional(Rgb(cell->red >> 8, cell->green >> 8, cell->blue >> 8))
                : std::nullopt;
}

int errorsSeen = 0;
int countError(Display* /*display*/, XErrorEvent* /*event*/) {
    ++errorsSeen;
    return 0;
}

// A visible, undecorated window filled with one pixel value.
Window showSolid(Display* display, int x, int y, int width, int height, unsigned long pixel) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = pixel;
    const Window window =
        XCreateWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, window);
    XSync(display, False);
    return window;
}

unsigned long pixelFor(Display* display, Rgb colour) {
    return allocated(display, colour).value_or(XColor{}).pixel;
}

int distance(Rgb a, Rgb b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

} // namespace

class X11PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void unreachableDisplayGivesMessage();
    void nearestColourIsDisplayableAndClosest();
    void contextsCanBeTakenAndGivenBackRepeatedly();
    void cursorPositionIsInScreenPixels();
    void readsMatchWhatTheServerShows();
    void blockReadsClipAtEveryEdge();
    void confinementEndsWithItsConnection();
    void outsidePointerIsBroughtToNearestEdge_data();
    void outsidePointerIsBroughtToNearestEdge();
    void highColourReadsBackAsTheServerDoes();

private:
    XSession m_x;
    std::unique_ptr<X11Platform> m_platform;
};

void X11PlatformTest::initTestCase() {
    QVERIFY2(m_x.connected(), "these tests need an X server in DISPLAY");
    auto opened = X11Platform::open();
    QVERIFY2(opened, opened ? "" : opened.error().toLocal8Bit().constData());
    m_platform = std::move(*opened);
}

void X11PlatformTest::unreachableDisplayGivesMessage() {
    const auto opened = X11Platform::open(":4711");
    QVERIFY(!opened);
    QVERIFY2(opened.error().contains(QLatin1String(":4711")),
             opened.error().toLocal8Bit().constData());
    QVERIFY2(opened.error().contains(QLatin1String("X11")),
             opened.error().toLocal8Bit().constData());
}

void X11PlatformTest::nearestColourIsDisplayableAndClosest() {
    const auto screen = m_platform->screenReader();
    const int depth = DefaultDepth(m_x.display(), DefaultScreen(m_x.display()));
    int moved = 0;
    for (int v = 0; v < 256; v += 3) {
        const Rgb colour = Rgb(v, 255 - v, (v * 7) & 0xFF);
        const Rgb nearest = screen->nearestDisplayable(colour);
        // The server shows the answer exactly as it is...
        QCOMPARE(serverShows(m_x.display(), nearest), nearest);
        // ...and shows nothing closer for the colour asked about.
        const std::optional<Rgb> shown = serverShows(m_x.display(), colour);
        QVERIFY(shown && distance(nearest, colour) <= distance(*shown, colour));
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
        const auto screen = m_platform->screenReader();
        QCOMPARE(screen->nearestDisplayable(Rgb(0, 0, 0)), Rgb(0, 0, 0));
        QCOMPARE(screen->nearestDisplayable(Rgb(255, 255, 255)), Rgb(255, 255, 255));
    }
}

void X11PlatformTest::cursorPositionIsInScreenPixels() {
    const QSize screen = m_x.screenSize();
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{123, 45},
                               std::pair{screen.width() - 1, screen.height() - 1}}) {
        m_x.movePointer(x, y);
        const auto position = m_platform->pointerPosition();
        QVERIFY(position.has_value());
        QCOMPARE(position->x(), x);
        QCOMPARE(position->y(), y);
    }
}

void X11PlatformTest::readsMatchWhatTheServerShows() {
    Display* d = m_x.display();
    const Rgb colour = Rgb(201, 77, 13);
    const Window window = showSolid(d, 40, 50, 10, 10, pixelFor(d, colour));
    const auto screen = m_platform->screenReader();
    // On a 16-bit screen the colour shows as its nearest displayable neighbour.
    const std::optional<Rgb> shown = serverShows(d, colour);
    QCOMPARE(screen->pixel(QPoint(45, 55)), shown);
    QCOMPARE(screen->nearestDisplayable(colour), shown);
    std::array<ScreenPixel, 9> block{};
    screen->readBlock(QPoint(38, 48), 3, block);
    QCOMPARE(block[8], shown); // (40, 50), the window's corner
    QVERIFY(block[0] != shown);
    XDestroyWindow(d, window);
    XSync(d, False);
}

void X11PlatformTest::blockReadsClipAtEveryEdge() {
    Display* d = m_x.display();
    const int width = DisplayWidth(d, DefaultScreen(d));
    const int height = DisplayHeight(d, DefaultScreen(d));
    const Rgb colour = Rgb(0, 0, 0);
    std::vector<Window> corners;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{width - 4, 0}, std::pair{0, height - 4},
                               std::pair{width - 4, height - 4}}) {
        corners.push_back(showSolid(d, x, y, 4, 4, pixelFor(d, colour)));
    }
    const auto screen = m_platform->screenReader();
    errorsSeen = 0;
    const XErrorHandler previous = XSetErrorHandler(countError);
    std::array<ScreenPixel, 49> block{};
    for (const auto& [x, y] : {std::pair{-3, -3}, std::pair{width - 4, -3},
                               std::pair{-3, height - 4}, std::pair{width - 4, height - 4}}) {
        screen->readBlock(QPoint(x, y), 7, block);
        int onScreen = 0;
        for (int i = 0; i < 49; ++i) {
            const int px = x + i % 7;
            const int py = y + i / 7;
            const bool inside = px >= 0 && py >= 0 && px < width && py < height;
            QCOMPARE(block[static_cast<std::size_t>(i)], inside ? colour : ScreenPixel());
            onScreen += inside ? 1 : 0;
        }
        QCOMPARE(onScreen, 16);
    }
    screen->readBlock(QPoint(-50, -50), 7, block); // wholly off the screen
    QCOMPARE(std::count(block.begin(), block.end(), std::nullopt), 49);
    QCOMPARE(screen->pixel(QPoint(width, 0)), ScreenPixel());
    QCOMPARE(screen->pixel(QPoint(-1, 5)), ScreenPixel());
    XSetErrorHandler(previous);
    QCOMPARE(errorsSeen, 0);
    for (const Window w : corners) {
        XDestroyWindow(d, w);
    }
    XSync(d, False);
}

// Edges and corners are held in the end-to-end test; here, a program that ends in any way
// leaves no barrier behind.
void X11PlatformTest::confinementEndsWithItsConnection() {
    m_x.movePointer(300, 300);
    {
        const auto other = X11Platform::open();
        QVERIFY(other && (*other)->confinePointer(QRect(250, 250, 100, 100)));
        QCOMPARE(m_x.movePointerBy(-200, 0).x(), 250);
    }
    QVERIFY(m_x.movePointerBy(-200, 0).x() < 250);
}

void X11PlatformTest::outsidePointerIsBroughtToNearestEdge_data() {
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("expected");
    // The area is 250,250 to 349,349.
    QTest::newRow("left") << QPoint(10, 300) << QPoint(250, 300);
    QTest::newRow("above") << QPoint(300, 10) << QPoint(300, 250);
    QTest::newRow("right") << QPoint(600, 300) << QPoint(349, 300);
    QTest::newRow("below") << QPoint(300, 600) << QPoint(300, 349);
    QTest::newRow("past the bottom-right corner") << QPoint(600, 600) << QPoint(349, 349);
    QTest::newRow("inside stays") << QPoint(260, 340) << QPoint(260, 340);
}

void X11PlatformTest::outsidePointerIsBroughtToNearestEdge() {
    QFETCH(QPoint, start);
    QFETCH(QPoint, expected);
    m_x.movePointer(start.x(), start.y());
    QVERIFY(m_platform->confinePointer(QRect(250, 250, 100, 100)));
    QCOMPARE(*m_platform->pointerPosition(), expected);
    QVERIFY(m_platform->confinePointer(std::nullopt));
}

void X11PlatformTest::highColourReadsBackAsTheServerDoes() {
    const PixelMasks rgb565{0xF800, 0x07E0, 0x001F};
    const PixelMasks rgb888{0xFF0000, 0x00FF00, 0x0000FF};
    QCOMPARE(nearestTrueColour(Rgb(1, 2, 3), rgb888), Rgb(1, 2, 3));
    // 5 bits hold 32 levels, 6 bits 64, rounded to the nearest level.
    QCOMPARE(nearestTrueColour(Rgb(255, 255, 255), rgb565), Rgb(255, 255, 255));
    QCOMPARE(nearestTrueColour(Rgb(4, 2, 4), rgb565), Rgb(0, 0, 0));
    QCOMPARE(nearestTrueColour(Rgb(5, 3, 5), rgb565), Rgb(8, 4, 8));
    QCOMPARE(nearestTrueColour(Rgb(128, 128, 128), rgb565), Rgb(132, 130, 132));
    // A pixel value decodes channel by channel, scaled up as the server reports it.
    QCOMPARE(colourFromPixel(0xF800 | 0x0020 | 0x0001, rgb565), Rgb(255, 4, 8));
    QCOMPARE(colourFromPixel(0x123456, rgb888), Rgb(0x12, 0x34, 0x56));
}

QTEST_GUILESS_MAIN(X11PlatformTest)
#include "tst_x11platform.moc"
