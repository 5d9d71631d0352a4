// Where a cast's streams lie on the screen and what their pictures read: GNOME's places and
// KDE's sizes matched to the screen's outputs, two monitors side by side with the pointer
// over the shared edge, a monitor scaled by 2, the block read at every edge, and buffers
// whose geometry does not fit their memory.
#include "BufferPicture.h"
#include "CastLayout.h"

#include <QTest>

#include <cstring>

Q_DECLARE_METATYPE(StreamPixel)
Q_DECLARE_METATYPE(std::optional<StreamPixel>)

namespace {

using Streams = QList<ScreenCastSession::Stream>;

// Two monitors side by side, the second smaller, as GNOME places them.
const QList<QRect> SideBySide{{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
// The first scaled by 2: half its pixels on the screen, all of them in its stream.
const QList<QRect> Scaled{{0, 0, 640, 400}, {640, 0, 1280, 800}};

QByteArray text(Rgb colour) {
    return colour == Rgb::offScreen() ? "off the picture"
                                      : QByteArray::number(colour.hexValue(), 16);
}

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

struct Cast {
    // Placed as GNOME says; sizes only, as KDE does, when `placed` is false.
    Cast(const QList<QRect>& places, const QList<QSize>& pictures, const QList<QRect>& outputs,
         bool placed = true) {
        Streams streams;
        std::vector<std::shared_ptr<const StreamFrames>> frames;
        for (int i = 0; i < places.size(); ++i) {
            streams.append({std::uint32_t(40 + i),
                            placed ? std::optional(places[i].topLeft()) : std::nullopt,
                            places[i].size()});
            m_pictures.push_back(std::make_unique<Picture>(pictures[i], 0));
            frames.push_back(m_pictures.back()->frames());
        }
        layout = CastLayout(streams, outputs, frames);
    }
    std::vector<std::unique_ptr<Picture>> m_pictures;
    CastLayout layout;
};

} // namespace

class tst_CastGeometry : public QObject {
    Q_OBJECT

private slots:
    void places_data();
    void places();
    void pointerOverTheEdge();
    void blockAtEveryEdge();
    void desktopsAccount_data();
    void desktopsAccount();
    void buffers_data();
    void buffers();
};

void tst_CastGeometry::places_data() {
    QTest::addColumn<QList<QRect>>("outputs");
    QTest::addColumn<bool>("placed");
    QTest::addColumn<QPoint>("screen");
    QTest::addColumn<std::optional<StreamPixel>>("pixel");
    QTest::addColumn<bool>("confirmed");
    const QList<QRect> reversed{SideBySide[1], SideBySide[0]};
    const QList<QRect> twins{{1280, 0, 1280, 800}, {0, 0, 1280, 800}};
    using P = std::optional<StreamPixel>;
    QTest::newRow("GNOME, left of the edge")
        << SideBySide << true << QPoint(1279, 400) << P({0, {1279, 400}}) << true;
    QTest::newRow("GNOME, right of the edge")
        << SideBySide << true << QPoint(1280, 400) << P({1, {0, 400}}) << true;
    QTest::newRow("GNOME, below the smaller monitor")
        << SideBySide << true << QPoint(1280, 790) << P() << false;
    QTest::newRow("GNOME, a place the screen lacks")
        << QList<QRect>{{0, 0, 1280, 800}} << true << QPoint(1300, 10) << P({1, {20, 10}}) << false;
    QTest::newRow("KDE, shapes told apart")
        << reversed << false << QPoint(1281, 767) << P({1, {1, 767}}) << true;
    QTest::newRow("KDE, twins guessed left to right")
        << twins << false << QPoint(1281, 5) << P({1, {1, 5}}) << false;
    QTest::newRow("scaled by 2") << Scaled << true << QPoint(639, 399) << P({0, {1278, 798}})
                                 << true;
    QTest::newRow("beside the scaled one")
        << Scaled << true << QPoint(640, 0) << P({1, {0, 0}}) << true;
}

void tst_CastGeometry::places() {
    QFETCH(QList<QRect>, outputs);
    QFETCH(bool, placed);
    QFETCH(QPoint, screen);
    QFETCH(std::optional<StreamPixel>, pixel);
    QFETCH(bool, confirmed);
    const bool scaled = outputs == Scaled;
    const QList<QRect> places = scaled ? Scaled
                                : outputs.size() > 1 && !placed
                                    ? QList<QRect>{outputs[1], outputs[0]}
                                    : SideBySide;
    const QList<QSize> pictures{scaled ? QSize(1280, 800) : places[0].size(), places[1].size()};
    Cast cast(places, pictures, outputs, placed);
    const auto found = cast.layout.locate(screen);
    QCOMPARE(found, pixel);
    if (found) {
        QCOMPARE(cast.layout.isConfirmed(found->stream), confirmed);
        // Back to the screen: the same point, for every pixel of the scaled one.
        const QPoint within = scaled && found->stream == 0 ? QPoint(1, 1) : QPoint();
        QCOMPARE(cast.layout.toScreen({found->stream, found->pixel + within}), screen);
    }
}

// Both streams report the pointer near the shared edge, one just off its own picture: each
// report names the same place, and the arrows cross the edge but never leave the screen.
void tst_CastGeometry::pointerOverTheEdge() {
    Cast cast(SideBySide, {{1280, 800}, {1024, 768}}, SideBySide);
    const CastLayout& layout = cast.layout;
    QCOMPARE(layout.owner({1, {-1, 400}}), StreamPixel({0, {1279, 400}}));
    QCOMPARE(layout.owner({0, {1280, 440}}), StreamPixel({1, {0, 440}}));
    QCOMPARE(layout.owner({0, {-1, 400}}), std::nullopt);
    QCOMPARE(layout.owner({1, {0, 768}}), std::nullopt);
    QCOMPARE(layout.moved({0, {1279, 400}}, {1, 0}), StreamPixel({1, {0, 400}}));
    QCOMPARE(layout.moved({1, {0, 400}}, {-2, 0}), StreamPixel({0, {1278, 400}}));
    QCOMPARE(layout.moved({1, {1023, 767}}, {10, 10}), StreamPixel({1, {1023, 767}}));
    QCOMPARE(layout.moved({0, {1279, 790}}, {1, 0}), StreamPixel({0, {1279, 790}}));
    Cast scaled(Scaled, {{1280, 800}, {1280, 800}}, Scaled);
    QCOMPARE(scaled.layout.owner({1, {-1, 0}}), StreamPixel({0, {1278, 0}}));
    QCOMPARE(scaled.layout.moved({0, {1278, 0}}, {1, 0}), StreamPixel({0, {1279, 0}}));
    QCOMPARE(scaled.layout.toScreen({0, {1279, 0}}), QPoint(639, 0));
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
            std::array<Rgb, 9> block{};
            frames->read(centre - QPoint(1, 1), 3, block);
            for (int i = 0; i < 9; ++i) {
                const QPoint at = centre + QPoint(i % 3 - 1, i / 3 - 1);
                const bool on = QRect(QPoint(), picture.size).contains(at);
                QCOMPARE(text(block[std::size_t(i)]),
                         text(on ? swap(pixel(at.x(), at.y())) : Rgb::offScreen()));
            }
        }
    }
    StreamFrames empty;
    std::array<Rgb, 1> one{};
    empty.read({0, 0}, 1, one);
    QCOMPARE(text(one[0]), text(Rgb::offScreen()));
}

void tst_CastGeometry::desktopsAccount_data() {
    QTest::addColumn<Streams>("streams");
    QTest::addColumn<bool>("sound");
    using S = ScreenCastSession::Stream;
    QTest::newRow("two monitors") << Streams{S{1, QPoint(0, 0), QSize(1280, 800)},
                                             S{2, QPoint(1280, 0), QSize(1024, 768)}}
                                  << true;
    QTest::newRow("sizes only") << Streams{S{1, {}, QSize(1, 1)}} << true;
    QTest::newRow("0x0") << Streams{S{1, QPoint(0, 0), QSize(0, 0)}} << false;
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
    Cast cast({{0, 0, 1280, 800}}, {{1280, 800}}, SideBySide);
    QVERIFY(cast.layout.picturesFit());
    Cast other({{0, 0, 1280, 800}}, {{800, 800}}, SideBySide);
    QVERIFY(!other.layout.picturesFit());
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
    spa_data plane{};
    plane.maxsize = 64;
    plane.data = memory.bytes.data();
    plane.chunk = &region;
    spa_buffer buffer{};
    buffer.n_datas = 1;
    buffer.datas = &plane;
    const auto view = pictureIn(buffer, {4, 3}, StreamFrames::Order::Bgrx);
    QCOMPARE(view.ok(), picture != -2);
    QCOMPARE(view.ok() && view->has_value(), picture >= 0);
    if (picture >= 0) {
        StreamFrames frames;
        frames.show(**view);
        std::array<Rgb, 1> read{};
        frames.read({1, 1}, 1, read);
        QCOMPARE(text(read[0]), text(Rgb::fromQRgb(QRgb(picture))));
    }
}

QTEST_GUILESS_MAIN(tst_CastGeometry)
#include "tst_castgeometry.moc"
