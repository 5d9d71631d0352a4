#include "PortalScreenCast.h"

#include "CastScreenReader.h"
#include "PipeWireCapture.h"
#include "PortalLog.h"

#include <QGuiApplication>
#include <QScreen>

#include <fcntl.h>

namespace {

// Ticks in a row, with the pointer still, that the streams may show it elsewhere: they
// report its place a frame late, later still on a busy machine.
constexpr int disagreementsAllowed = 9;

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

PortalScreenCast::PortalScreenCast(QObject* parent)
    : PortalScreenCast(QDBusConnection::sessionBus(), parent) {}

PortalScreenCast::PortalScreenCast(const QDBusConnection& bus, QObject* parent)
    : ScreenCast(parent), m_portal(bus) {
    m_firstFrames.setSingleShot(true);
    m_firstFrames.setInterval(firstFrameTimeout);
    connect(&m_firstFrames, &QTimer::timeout, this, [this] {
        qCWarning(lcPortal) << "the screen cast sent no picture within" << firstFrameTimeout.count()
                            << "ms";
        fail(Failure::NoFrames);
    });
    connect(&m_portal, &ScreenCastPortal::probed, this, [this](bool offered) {
        m_offered = offered;
        emit offerKnown(offered);
    });
    connect(&m_portal, &ScreenCastPortal::opened, this, &PortalScreenCast::onOpened);
    connect(&m_portal, &ScreenCastPortal::failed, this, &PortalScreenCast::fail);
    connect(&m_portal, &ScreenCastPortal::askingUserChanged, this, &ScreenCast::askingUserChanged);
    connect(&m_portal, &ScreenCastPortal::closedByDesktop, this, [this] {
        stop();
        emit closedByDesktop();
    });
    m_portal.probe();
}

PortalScreenCast::~PortalScreenCast() {
    stop();
}

void PortalScreenCast::open(const QString& token) {
    stop();
    m_portal.open(token);
}

void PortalScreenCast::close() {
    stop();
}

void PortalScreenCast::stop() {
    m_portal.close();
    m_firstFrames.stop();
    m_capture.reset(); // stops PipeWire's thread before the frames go
    m_frames->setStreams({});
    m_layout = {};
    m_open = false;
    m_lastConfirmed.reset();
    m_disagreements = 0;
}

void PortalScreenCast::fail(ScreenCast::Failure failure) {
    stop();
    emit failed(failure);
}

void PortalScreenCast::onOpened(const QList<ScreenCastPortal::Stream>& streams,
                                const QString& token, const QDBusUnixFileDescriptor& remote) {
    m_token = token;
    std::vector<std::shared_ptr<const StreamFrames>> frames;
    std::vector<PipeWireCapture::Source> sources;
    for (const auto& stream : streams) {
        auto stored = std::make_shared<StreamFrames>();
        frames.push_back(stored);
        sources.push_back({stream.node, std::move(stored)});
    }
    m_frames->setStreams(std::move(frames));
    m_layout = CastLayout(streams, screenOutputs(), m_frames);
    m_framed.assign(sources.size(), false);
    auto capture = PipeWireCapture::start(fcntl(remote.fileDescriptor(), F_DUPFD_CLOEXEC, 3),
                                          sources, maxFramerate);
    if (!capture) {
        qCWarning(lcPortal).noquote() << "the screen cast cannot be read:" << capture.error();
        fail(Failure::StreamFailed);
        return;
    }
    m_capture = std::move(*capture);
    connect(m_capture.get(), &PipeWireCapture::firstFrame, this, &PortalScreenCast::onFirstFrame);
    connect(m_capture.get(), &PipeWireCapture::broken, this, [this](const QString& why) {
        qCWarning(lcPortal).noquote() << "the screen cast broke off:" << why;
        fail(Failure::StreamFailed);
    });
    m_firstFrames.start();
}

void PortalScreenCast::onFirstFrame(int stream) {
    m_framed.at(static_cast<std::size_t>(stream)) = true;
    if (m_open || std::find(m_framed.begin(), m_framed.end(), false) != m_framed.end()) {
        return;
    }
    m_firstFrames.stop();
    m_open = true;
    emit opened(m_token);
}

std::optional<CastLayout::Located> PortalScreenCast::newestCursor() const {
    std::optional<CastLayout::Located> newest;
    std::chrono::steady_clock::time_point when{};
    const auto& streams = m_frames->streams();
    for (std::size_t i = 0; i < streams.size(); ++i) {
        const auto cursor = streams[i]->cursor();
        if (cursor && cursor->at && (!newest || cursor->when > when)) {
            newest = CastLayout::Located{static_cast<int>(i), *cursor->at};
            when = cursor->when;
        }
    }
    return newest;
}

std::optional<ScreenCast::Pointer> PortalScreenCast::pointer() {
    const auto cursor = m_open ? newestCursor() : std::nullopt;
    if (!cursor || !m_layout.isConfirmed(cursor->stream)) {
        return std::nullopt;
    }
    const auto screen = m_layout.toScreen(*cursor);
    if (!screen) {
        return std::nullopt;
    }
    return Pointer{*screen, CastFrameSet::framePoint(cursor->stream, cursor->pixel)};
}

std::optional<QPoint> PortalScreenCast::toFrame(QPoint screen) const {
    const auto located = m_open ? m_layout.locate(screen) : std::nullopt;
    if (!located || !m_layout.isConfirmed(located->stream)) {
        return std::nullopt;
    }
    return CastFrameSet::framePoint(located->stream, located->pixel);
}

void PortalScreenCast::confirmPlace(QPoint screen) {
    const auto seen = m_open ? newestCursor() : std::nullopt;
    if (!seen) {
        return; // nothing to compare with yet
    }
    const auto expected = m_layout.locate(screen);
    if (expected && m_layout.near(*expected, *seen)) {
        m_layout.confirm(seen->stream);
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

std::unique_ptr<ScreenReader> PortalScreenCast::screenReader() {
    return std::make_unique<CastScreenReader>(m_frames);
}
