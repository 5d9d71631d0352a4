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

namespace {

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
    m_locator.reset({});
    m_open = false;
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
    std::vector<bool> certain;
    std::vector<PipeWireCapture::Source> sources;
    for (qsizetype i = 0; i < streams.size(); ++i) {
        auto frames = std::make_shared<StreamFrames>();
        const CastLayout::Placement& place = places[static_cast<std::size_t>(i)];
        m_streams.push_back({frames, ScreenSampler(std::make_unique<StreamReader>(frames)),
                             streams[i].size, place.screen});
        m_streams.back().reader.setMethod(m_method);
        certain.push_back(place.certain);
        sources.push_back({streams[i].node, std::move(frames)});
    }
    m_locator.reset(std::move(certain));
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

bool ScreenCastPipeWire::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && watched->isWindowType()) {
        m_locator.xwaylandMoved(
            std::chrono::milliseconds(static_cast<QMouseEvent*>(event)->timestamp()));
    }
    return false;
}

std::optional<ScreenCast::Place> ScreenCastPipeWire::placeUnder(QPoint pointer, bool known) {
    if (!m_open) {
        return std::nullopt;
    }
    m_locator.setLayout(layout());
    for (std::size_t i = 0; i < m_streams.size(); ++i) {
        if (const auto cursor = m_streams[i].frames->cursor()) {
            m_locator.streamReported(static_cast<int>(i), cursor->at, cursor->when);
        }
    }
    const std::optional<Place> place = m_locator.placeUnder(pointer, known);
    if (m_locator.hasGivenUp()) {
        fail(Failure::PlaceMismatch);
    }
    return place;
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
