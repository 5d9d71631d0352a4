// Where a cast's streams lie on the screen and what their pictures read, and buffers whose
// geometry does not fit their memory.
#include "BufferPicture.h"
#include "CastLayout.h"

#include <QTest>

#include <climits>
#include <cstring>

namespace {

using Streams = QList<PortalStream>;

// Two monitors side by side, the second smaller, as GNOME places them.
const QList<QRect> SideBySide{{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
// The first scaled by 2: half its pixels on the screen, all of them in its stream.
const QList<QRect> Scaled{{0, 0, 640, 400}, {640, 0, 1280, 800}};

// A picture whose pixel (x, y) is 0x00yyxx07 in BGRx, with rows padded by 0x11 bytes.
struct Picture {
    explicit Picture(QSize size, int padding = 8)
        : stride(std::size_t(size.width()) * 4 + std::size_t(padding)),
          bytes(stride * std::size_t(size.height()), std::byte{0x11}), size(size) {
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const std::uint32_t value = std::uint32_t(y) << 16 | std::uint32_t(x) << 8 | 7;
                std::memcpy(&bytes[std::size_t(y) * stride + std::size_t(x) * 4], &value, 4);
            }
        }
    }
    std::shared_ptr<StreamFrames> frames(StreamFrames::Order order = StreamFrames::Order::Bgrx) {
        auto shown = std::make_shared<StreamFrames>();
        shown->show(StreamFrames::View{bytes.data(), stride, size, order});
        return shown;
    }
    std::size_t stride;
    std::vector<std::byte> bytes;
    QSize size;
};

// A cast's layout: streams placed as GNOME says, or with sizes only, as KDE says them.
struct Cast {
    Cast(const QList<QRect>& places, const QList<QRect>& outputs, bool placed = true,
         const QList<QSize>& pictures = {}) {
        Streams streams;
        for (int i = 0; i < places.size(); ++i) {
            streams.append({std::uint32_t(40 + i),
                            placed ? std::optional(places[i].topLeft()) : std::nullopt,
                            places[i].size()});
        }
        std::vector<CastLayout::Monitor> monitors;
        for (const CastLayout::Placement& place : CastLayout::place(streams, outputs)) {
            const auto i = qsizetype(monitors.size());
            monitors.push_back({place.screen, pictures.value(i, places[i].size())});
            certain.push_back(place.certain);
        }
        layout = CastLayout(std::move(monitors));
    }
    CastLayout layout;
    std::vector<bool> certain;
};

} // namespace

class tst_CastGeometry : public QObject {
    Q_OBJECT

private slots:
    void places();
    void pointerOverTheEdge();
    void blockAtEveryEdge();
    void desktopsAccount_data();
    void desktopsAccount();
    void buffers_data();
    void buffers();
};

// Each screen point on its stream's pixel and back; a place is certain only where the screen
// has it (the pointer's place over each, at the shared edge and scaled: tst_pointerlocator).
void tst_CastGeometry::places() {
    const Cast gnome(SideBySide, SideBySide);
    QCOMPARE(gnome.layout.locate({1279, 400}), StreamPixel({0, {1279, 400}}));
    QCOMPARE(gnome.layout.locate({1280, 400}), StreamPixel({1, {0, 400}}));
    QCOMPARE(gnome.layout.locate({1280, 790}), std::nullopt); // below the smaller monitor
    QCOMPARE(gnome.certain, std::vector<bool>({true, true}));
    QCOMPARE(Cast(SideBySide, {SideBySide[0]}).certain, std::vector<bool>({true, false}));
    // KDE: told apart by shape, whatever order the screen lists its outputs in.
    const Cast kde(SideBySide, {SideBySide[1], SideBySide[0]}, false);
    QCOMPARE(kde.layout.locate({1281, 767}), StreamPixel({1, {1, 767}}));
    QCOMPARE(kde.certain, std::vector<bool>({true, true}));
    const QList<QRect> twins{{0, 0, 1280, 800}, {1280, 0, 1280, 800}};
    const Cast guessed(twins, {twins[1], twins[0]}, false);
    QCOMPARE(guessed.layout.locate({1281, 5}), StreamPixel({1, {1, 5}})); // left to right
    QCOMPARE(guessed.certain, std::vector<bool>({false, false}));
    // Scaled by 2: every pixel of the stream shows on the screen point it lies under.
    const CastLayout scaled = Cast(Scaled, Scaled, true, {{1280, 800}, {1280, 800}}).layout;
    QCOMPARE(scaled.locate({640, 0}), StreamPixel({1, {0, 0}}));
    QCOMPARE(scaled.toScreen({1, {0, 0}}), QPoint(640, 0));
}

// Both streams report the pointer near the shared edge, one just off its own picture: each
// report names the same place, and the arrows cross the edge but never leave the screen.
void tst_CastGeometry::pointerOverTheEdge() {
    const CastLayout layout = Cast(SideBySide, SideBySide).layout;
    QCOMPARE(layout.owner({1, {-1, 400}}), StreamPixel({0, {1279, 400}}));
    QCOMPARE(layout.owner({0, {-1, 400}}), std::nullopt);
    QCOMPARE(layout.owner({1, {0, 768}}), std::nullopt);
    QCOMPARE(layout.moved({0, {1279, 400}}, {1, 0}), StreamPixel({1, {0, 400}}));
    QCOMPARE(layout.moved({1, {0, 400}}, {-2, 0}), StreamPixel({0, {1278, 400}}));
    QCOMPARE(layout.moved({1, {1023, 767}}, {10, 10}), StreamPixel({1, {1023, 767}}));
    QCOMPARE(layout.moved({0, {1279, 790}}, {1, 0}), StreamPixel({0, {1279, 790}}));
    for (const int stream : {2, INT_MAX}) { // no such stream: nothing read beyond the two
        QCOMPARE(layout.toScreen({stream, {0, 0}}), std::nullopt);
        QCOMPARE(layout.owner({stream, {0, 0}}), std::nullopt);
    }
    const CastLayout scaled = Cast(Scaled, Scaled, true, {{1280, 800}, {1280, 800}}).layout;
    QCOMPARE(scaled.owner({1, {-1, 0}}), StreamPixel({0, {1278, 0}}));
    QCOMPARE(scaled.moved({0, {1278, 0}}, {1, 0}), StreamPixel({0, {1279, 0}}));
}

void tst_CastGeometry::blockAtEveryEdge() {
    Picture picture({4, 3});
    const auto pixel = [](int x, int y) { return Rgb(y, x, 7); };
    for (const auto order : {StreamFrames::Order::Bgrx, StreamFrames::Order::Rgbx}) {
        const auto frames = picture.frames(order);
        const auto swap = [order](Rgb c) {
            return order == StreamFrames::Order::Bgrx ? c : Rgb(c.blue(), c.green(), c.red());
        };
        for (const QPoint centre : {QPoint(0, 0), QPoint(3, 0), QPoint(0, 2), QPoint(3, 2),
                                    QPoint(2, 1), QPoint(4, 1), QPoint(-1, 3)}) {
            std::array<ScreenPixel, 9> block;
            block.fill(Rgb(1, 2, 3)); // a read overwrites every point, off the picture too
            frames->read(centre - QPoint(1, 1), 3, block);
            for (int i = 0; i < 9; ++i) {
                const QPoint at = centre + QPoint(i % 3 - 1, i / 3 - 1);
                const bool on = QRect(QPoint(), picture.size).contains(at);
                const ScreenPixel& read = block[std::size_t(i)];
                QCOMPARE(read.has_value(), on);
                QVERIFY(!on || *read == swap(pixel(at.x(), at.y())));
            }
        }
    }
    StreamFrames empty;
    std::array<ScreenPixel, 1> one{Rgb()};
    empty.read({0, 0}, 1, one);
    QVERIFY(!one[0].has_value());
}

void tst_CastGeometry::desktopsAccount_data() {
    QTest::addColumn<Streams>("streams");
    QTest::addColumn<bool>("sound");
    using S = PortalStream;
    QTest::newRow("two monitors") << Streams{S{1, QPoint(0, 0), QSize(1280, 800)},
                                             S{2, QPoint(1280, 0), QSize(1024, 768)}}
                                  << true;
    QTest::newRow("sizes only") << Streams{S{1, {}, QSize(1, 1)}} << true;
    QTest::newRow("0x0") << Streams{S{1, QPoint(0, 0), QSize(0, 0)}} << false;
    QTest::newRow("16385 wide") << Streams{S{1, {}, QSize(16385, 1)}} << false;
    QTest::newRow("100000x100000") << Streams{S{1, {}, QSize(100000, 100000)}} << false;
    QTest::newRow("a negative position") << Streams{S{1, QPoint(-1, 0), QSize(8, 8)}} << false;
    QTest::newRow("two streams on one node")
        << Streams{S{7, {}, QSize(8, 8)}, S{7, {}, QSize(8, 8)}} << false;
}

void tst_CastGeometry::desktopsAccount() {
    QFETCH(Streams, streams);
    QFETCH(bool, sound);
    QCOMPARE(CastLayout::check(streams).ok(), sound);
    // A picture of another shape than said is refused once it comes.
    QVERIFY(CastLayout::fits({1280, 800}, QSize(640, 400)));
    QVERIFY(CastLayout::fits({}, QSize(640, 400)));
    QVERIFY(!CastLayout::fits({800, 800}, QSize(1280, 800)));
}

void tst_CastGeometry::buffers_data() {
    QTest::addColumn<int>("stride");
    QTest::addColumn<uint>("offset");
    QTest::addColumn<uint>("chunk");
    QTest::addColumn<int>("picture"); // the pixel read at (1, 1); -1 nothing, -2 refused
    // 4x3 pixels in 64 bytes of memory.
    QTest::newRow("packed rows") << 16 << 0u << 48u << 0x010107;
    QTest::newRow("padded rows") << 20 << 0u << 60u << 0x010207; // (1, 1) is 24 bytes in
    QTest::newRow("stride 0: packed") << 0 << 0u << 48u << 0x010107;
    QTest::newRow("an offset past the memory wraps") << 16 << 64u << 48u << 0x010107;
    QTest::newRow("no picture, only the pointer") << 16 << 0u << 0u << -1;
    QTest::newRow("a negative stride") << -16 << 0u << 48u << -2;
    QTest::newRow("rows shorter than the picture") << 12 << 0u << 36u << -2;
    QTest::newRow("a chunk larger than its buffer") << 16 << 0u << 65u << -2;
    QTest::newRow("a picture past the buffer's end") << 16 << 20u << 44u << -2;
}

void tst_CastGeometry::buffers() {
    QFETCH(int, stride);
    QFETCH(uint, offset);
    QFETCH(uint, chunk);
    QFETCH(int, picture);
    Picture memory({4, 4}, 0);
    spa_chunk region{offset, chunk, stride, 0};
    spa_data plane{0, 0, -1, 0, 64, memory.bytes.data(), &region}; // 64 bytes of memory
    spa_buffer buffer{0, 1, nullptr, &plane};
    const auto view = pictureIn(buffer, {4, 3}, StreamFrames::Order::Bgrx);
    QCOMPARE(view.ok(), picture != -2);
    QCOMPARE(view.ok() && view->has_value(), picture >= 0);
    if (picture >= 0) {
        StreamFrames frames;
        frames.show(**view);
        std::array<ScreenPixel, 1> read{};
        frames.read({1, 1}, 1, read);
        QCOMPARE(read[0], Rgb::fromQRgb(QRgb(picture)));
    }
}

QTEST_GUILESS_MAIN(tst_CastGeometry)
#include "tst_castgeometry.moc"
