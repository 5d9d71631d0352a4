#include "ScreenCastPipeWire.h"

#include "PipeWireCapture.h"
#include "PortalLog.h"
#include "RegularFile.h"
#include "StreamReader.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include <fcntl.h>

#include <cerrno>
#include <cstdlib>

namespace {

// Ticks in a row, with the pointer still, that the streams may show it elsewhere: they
// report its place a frame late, later still on a busy machine.  Half a second.
constexpr int disagreementsAllowed = std::chrono::milliseconds(500) / followInterval - 1;

// The outputs of the screen as the windowing system places them, in device pixels.
QList<QRect> screenOutputs() {
    QList<QRect> outputs;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect geometry = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        outputs.append(QRect((QPointF(geometry.topLeft()) * ratio).toPoint(),
                             (QSizeF(geometry.size()) * ratio).toSize()));
    }
    return outputs;
}

bool withinAPixel(QPoint a, QPoint b) {
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
}

} // namespace

ScreenCastPipeWire::ScreenCastPipeWire(QObject* parent)
    : ScreenCastPipeWire(QDBusConnection::sessionBus(), parent) {}

ScreenCastPipeWire::ScreenCastPipeWire(const QDBusConnection& bus, QObject* parent)
    : ScreenCast(parent), m_portal(bus) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this); // to see when Xwayland last moved the pointer
    }
    m_firstFrames.setSingleShot(true);
    m_firstFrames.setInterval(firstFrameTimeout);
    connect(&m_firstFrames, &QTimer::timeout, this, [this] {
        qCWarning(lcPortal) << "the screen cast sent no picture within" << firstFrameTimeout.count()
                            << "ms";
        fail(Failure::NoFrames);
    });
    connect(&m_portal, &ScreenCastSession::probed, this, [this](bool offered) {
        m_offered = offered;
        emit offerKnown(offered);
    });
    connect(&m_portal, &ScreenCastSession::opened, this, &ScreenCastPipeWire::onOpened);
    connect(&m_portal, &ScreenCastSession::failed, this, &ScreenCastPipeWire::fail);
    connect(&m_portal, &ScreenCastSession::askingUserChanged, this, &ScreenCast::askingUserChanged);
    connect(&m_portal, &ScreenCastSession::closedByDesktop, this, [this] {
        stop();
        emit closedByDesktop();
    });
    m_portal.probe();
}

ScreenCastPipeWire::~ScreenCastPipeWire() {
    stop(); // the capture, a child, goes with this
}

void ScreenCastPipeWire::open(const QString& token) {
    stop();
    m_portal.open(token);
}

void ScreenCastPipeWire::close() {
    stop();
}

void ScreenCastPipeWire::stop() {
    m_portal.close();
    m_firstFrames.stop();
    if (m_capture != nullptr) {
        // It may be stopped from one of its own signals: later, not at once.  Its thread
        // keeps the frames it writes to until then.
        m_capture->disconnect(this);
        m_capture->deleteLater();
        m_capture = nullptr;
    }
    m_streams.clear();
    m_open = false;
    m_lastConfirmed.reset();
    m_disagreements = 0;
}

void ScreenCastPipeWire::fail(ScreenCast::Failure failure) {
    stop();
    emit failed(failure);
}

void ScreenCastPipeWire::onOpened(const QList<PortalStream>& streams, const QString& token,
                                  const QDBusUnixFileDescriptor& remote) {
    m_token = token;
    if (const Result<void> sound = CastLayout::check(streams); !sound) {
        qCWarning(lcPortal).noquote()
            << "the screen cast's streams cannot be read:" << sound.error();
        fail(Failure::Failed);
        return;
    }
    const std::vector<CastLayout::Placement> places = CastLayout::place(streams, screenOutputs());
    std::vector<PipeWireCapture::Source> sources;
    for (qsizetype i = 0; i < streams.size(); ++i) {
        auto frames = std::make_shared<StreamFrames>();
        const CastLayout::Placement& place = places[static_cast<std::size_t>(i)];
        m_streams.push_back({frames, ScreenSampler(std::make_unique<StreamReader>(frames)),
                             streams[i].size, place.screen, place.certain});
        m_streams.back().reader.setMethod(m_method);
        sources.push_back({streams[i].node, std::move(frames)});
    }
    const int fd = fcntl(remote.fileDescriptor(), F_DUPFD_CLOEXEC, 3);
    if (fd < 0) {
        qCWarning(lcPortal).noquote() << "the screen cast's connection:" << errnoText(errno);
        fail(Failure::StreamFailed);
        return;
    }
    auto capture = PipeWireCapture::start(fd, sources, maxFramerate);
    if (!capture) {
        qCWarning(lcPortal).noquote() << "the screen cast cannot be read:" << capture.error();
        fail(Failure::StreamFailed);
        return;
    }
    m_capture = capture->release();
    m_capture->setParent(this);
    connect(m_capture, &PipeWireCapture::firstFrame, this, &ScreenCastPipeWire::onFirstFrame);
    connect(m_capture, &PipeWireCapture::broken, this, [this](const QString& why) {
        qCWarning(lcPortal).noquote() << "the screen cast broke off:" << why;
        fail(Failure::StreamFailed);
    });
    m_firstFrames.start();
}

void ScreenCastPipeWire::onFirstFrame(int stream) {
    CastStream& framed = m_streams.at(static_cast<std::size_t>(stream));
    framed.framed = true;
    if (!CastLayout::fits(framed.frames->size(), framed.said)) {
        qCWarning(lcPortal) << "stream" << stream << "sends pictures of another shape than said";
        fail(Failure::StreamFailed);
        return;
    }
    const bool allFramed = std::all_of(m_streams.begin(), m_streams.end(),
                                       [](const CastStream& each) { return each.framed; });
    if (m_open || !allFramed) {
        return;
    }
    m_firstFrames.stop();
    m_open = true;
    emit opened(m_token);
}

CastLayout ScreenCastPipeWire::layout() const {
    std::vector<CastLayout::Monitor> monitors;
    for (const CastStream& stream : m_streams) {
        monitors.push_back({stream.place, stream.frames->size()});
    }
    return CastLayout(std::move(monitors));
}

std::optional<StreamPixel> ScreenCastPipeWire::newestCursor(const CastLayout& layout,
                                                            Clock::time_point& moved) const {
    std::optional<StreamPixel> newest;
    Clock::time_point when{};
    for (std::size_t i = 0; i < m_streams.size(); ++i) {
        const auto cursor = m_streams[i].frames->cursor();
        if (!cursor || !cursor->at || (newest && cursor->when <= when)) {
            continue;
        }
        if (const auto owner = layout.owner({static_cast<int>(i), *cursor->at})) {
            newest = owner;
            when = cursor->when;
        }
    }
    moved = when;
    return newest;
}

bool ScreenCastPipeWire::xwaylandLagsBehind(const CastLayout& layout,
                                            const std::optional<StreamPixel>& seen,
                                            Clock::time_point moved, QPoint pointer) const {
    if (!seen || !isConfirmed(seen->stream) || moved <= m_xwaylandMoved) {
        return false;
    }
    const std::optional<QPoint> shown = layout.toScreen(*seen);
    return shown && !withinAPixel(*shown, pointer);
}

bool ScreenCastPipeWire::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && watched->isWindowType()) {
        // When the server saw the move, not when a busy window got to it: the server's
        // milliseconds against this clock, by the quickest delivery seen (again after the
        // server's 32-bit clock wraps).
        const auto server =
            std::chrono::milliseconds(static_cast<QMouseEvent*>(event)->timestamp());
        const Clock::duration offset = Clock::now().time_since_epoch() - server;
        if (!m_serverOffset || offset < *m_serverOffset ||
            offset > *m_serverOffset + std::chrono::hours(1)) {
            m_serverOffset = offset;
        }
        m_xwaylandMoved = Clock::time_point(server + *m_serverOffset);
    }
    return false;
}

std::optional<ScreenCast::Place> ScreenCastPipeWire::placeUnder(QPoint pointer, bool known) {
    // A pointer that leaves Tintor's windows in one jump leaves Xwayland its last place inside
    // them: a confirmed stream that has seen it move since knows better.
    const CastLayout layout = this->layout();
    Clock::time_point moved;
    const std::optional<StreamPixel> seen = m_open ? newestCursor(layout, moved) : std::nullopt;
    known = known && !xwaylandLagsBehind(layout, seen, moved, pointer);
    if (known) {
        confirmPlace(layout, seen, pointer); // which may end the cast
    }
    const std::optional<StreamPixel> pixel = !m_open ? std::nullopt
                                             : known ? layout.locate(pointer)
                                                     : seen;
    if (!pixel || !isConfirmed(pixel->stream)) {
        return std::nullopt;
    }
    const std::optional<QPoint> screen = known ? pointer : layout.toScreen(*pixel);
    return screen ? std::optional(Place{*screen, *pixel}) : std::nullopt;
}

ScreenCast::Place ScreenCastPipeWire::moved(const Place& from, QPoint steps) const {
    const CastLayout now = layout();
    const StreamPixel to = now.moved(from.pixel, steps);
    return {now.toScreen(to).value_or(from.screen), to};
}

void ScreenCastPipeWire::setMethod(SamplingMethod method) {
    m_method = method;
    for (CastStream& stream : m_streams) {
        stream.reader.setMethod(method);
    }
}

PointerSample ScreenCastPipeWire::sampleAt(const Place& place) {
    const auto index = static_cast<std::size_t>(place.pixel.stream);
    if (!m_open || index >= m_streams.size()) {
        return {};
    }
    PointerSample sample = m_streams[index].reader.sampleAt(place.pixel.pixel);
    sample.position = place.screen;
    return sample;
}

bool ScreenCastPipeWire::isConfirmed(int stream) const {
    const auto index = static_cast<std::size_t>(stream);
    return stream >= 0 && index < m_streams.size() && m_streams[index].confirmed;
}

void ScreenCastPipeWire::confirmPlace(const CastLayout& layout,
                                      const std::optional<StreamPixel>& seen, QPoint screen) {
    if (!seen) {
        return; // nothing to compare with yet
    }
    // A screen pixel either way: the streams report the pointer's place a frame late.
    const std::optional<QPoint> shown = layout.toScreen(*seen);
    if (shown && withinAPixel(*shown, screen)) {
        m_streams[static_cast<std::size_t>(seen->stream)].confirmed = true;
        m_disagreements = 0;
    } else if (m_lastConfirmed == screen) {
        ++m_disagreements;
    } else {
        m_disagreements = 1;
    }
    m_lastConfirmed = screen;
    if (m_disagreements > disagreementsAllowed) {
        qCWarning(lcPortal) << "the screen cast shows the pointer at" << seen->pixel << "on stream"
                            << seen->stream << "while it is at" << screen;
        fail(Failure::PlaceMismatch);
    }
}
