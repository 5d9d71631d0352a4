#include "CastProducer.h"

#include <QStringList>
#include <QTest>

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>
#include <vector>

namespace {

struct Stream {
    QSize size;
    QImage picture;
    std::optional<QPoint> cursor;
    std::set<const void*> painted; // the buffers that hold the picture already
    pw_stream* stream = nullptr;
    spa_hook listener{};
    uint32_t node = SPA_ID_INVALID;
};

void onParamChanged(void* data, uint32_t id, const spa_pod* param) {
    auto* stream = static_cast<Stream*>(data);
    if (param == nullptr || id != SPA_PARAM_Format) {
        return;
    }
    const int stride = stream->size.width() * 4;
    const int cursorSize = sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap) + 64 * 64 * 4;
    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    const spa_pod* params[] = {
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_size,
            SPA_POD_Int(stride * stream->size.height()), SPA_PARAM_BUFFERS_stride,
            SPA_POD_Int(stride), SPA_PARAM_BUFFERS_dataType,
            SPA_POD_CHOICE_FLAGS_Int(1 << SPA_DATA_MemFd))),
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
            SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size, SPA_POD_Int(cursorSize))),
    };
    pw_stream_update_params(stream->stream, params, 2);
}

void onProcess(void* data) {
    auto* stream = static_cast<Stream*>(data);
    pw_buffer* buffer = pw_stream_dequeue_buffer(stream->stream);
    if (buffer == nullptr) {
        return;
    }
    spa_buffer* spa = buffer->buffer;
    if (auto* cursor = static_cast<spa_meta_cursor*>(
            spa_buffer_find_meta_data(spa, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
        *cursor = {};
        cursor->id = stream->cursor ? 1 : 0;
        cursor->position = {stream->cursor.value_or(QPoint()).x(),
                            stream->cursor.value_or(QPoint()).y()};
    }
    spa_data& plane = spa->datas[0];
    const auto bytes = static_cast<uint32_t>(stream->picture.sizeInBytes());
    // Without a picture, the buffer carries the pointer's place only.
    const bool fits = plane.data != nullptr && bytes > 0 && bytes <= plane.maxsize;
    // A buffer keeps what it holds: the picture goes into each one once, so that the
    // producer's own copying does not weigh on what the benchmarks measure.
    if (fits && stream->painted.insert(plane.data).second) {
        std::memcpy(plane.data, stream->picture.constBits(), bytes);
    }
    *plane.chunk = {0, fits ? bytes : 0, static_cast<int32_t>(stream->picture.bytesPerLine()), 0};
    pw_stream_queue_buffer(stream->stream, buffer);
}

constexpr pw_stream_events streamEvents = [] {
    pw_stream_events events{};
    events.version = PW_VERSION_STREAM_EVENTS;
    events.state_changed = [](void* data, pw_stream_state, pw_stream_state, const char*) {
        auto* stream = static_cast<Stream*>(data);
        stream->node = pw_stream_get_node_id(stream->stream);
    };
    events.param_changed = onParamChanged;
    events.process = onProcess;
    return events;
}();

void connectStream(Stream& stream, pw_core* core) {
    stream.stream = pw_stream_new(
        core, "tintor-test-screen",
        pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", PW_KEY_MEDIA_TYPE, "Video", nullptr));
    pw_stream_add_listener(stream.stream, &stream.listener, &streamEvents, &stream);
    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    spa_rectangle size{uint32_t(stream.size.width()), uint32_t(stream.size.height())};
    spa_fraction variable{0, 1}, most{60, 1}, least{1, 1};
    const spa_pod* params[] = {static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_Id(SPA_VIDEO_FORMAT_BGRx), SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&size),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&variable), SPA_FORMAT_VIDEO_maxFramerate,
        SPA_POD_CHOICE_RANGE_Fraction(&most, &least, &most)))};
    pw_stream_connect(
        stream.stream, PW_DIRECTION_OUTPUT, PW_ID_ANY,
        static_cast<pw_stream_flags>(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS), params,
        1);
}

} // namespace

// The thread loop and what lives on it; everything is touched under the loop's lock.
struct CastProducer::Loop {
    pw_thread_loop* thread = (pw_init(nullptr, nullptr), pw_thread_loop_new("producer", nullptr));
    pw_context* context = pw_context_new(pw_thread_loop_get_loop(thread), nullptr, 0);
    pw_core* core = nullptr;
    spa_source* timer = nullptr;
    spa_source* wake = nullptr; // frames now, from the loop's own thread
    std::vector<std::unique_ptr<Stream>> streams;

    struct Lock {
        explicit Lock(pw_thread_loop* loop) : m_loop(loop) { pw_thread_loop_lock(loop); }
        ~Lock() { pw_thread_loop_unlock(m_loop); }
        pw_thread_loop* m_loop;
    };

    // Only a streaming stream is triggered: one whose reader has gone, or which is being
    // torn down, has no graph to drive.
    static void sendFrames(void* data, uint64_t = 0) {
        for (const auto& stream : static_cast<Loop*>(data)->streams) {
            if (pw_stream_get_state(stream->stream, nullptr) == PW_STREAM_STATE_STREAMING) {
                pw_stream_trigger_process(stream->stream);
            }
        }
    }

    ~Loop() {
        {
            const Lock lock(thread);
            pw_loop* loop = pw_thread_loop_get_loop(thread);
            for (spa_source* source : {timer, wake}) {
                if (source != nullptr) {
                    pw_loop_destroy_source(loop, source);
                }
            }
            for (const auto& stream : streams) {
                pw_stream_destroy(stream->stream);
            }
            streams.clear();
            if (core != nullptr) {
                pw_core_disconnect(core);
            }
        }
        pw_thread_loop_stop(thread);
        pw_context_destroy(context);
        pw_thread_loop_destroy(thread);
    }
};

CastProducer::CastProducer(const QList<QSize>& sizes) : m_loop(std::make_unique<Loop>()) {
    pw_thread_loop_start(m_loop->thread);
    {
        const Loop::Lock lock(m_loop->thread);
        m_loop->core = pw_context_connect(m_loop->context, nullptr, 0);
        if (m_loop->core == nullptr) {
            return;
        }
        for (const QSize size : sizes) {
            m_loop->streams.push_back(std::make_unique<Stream>());
            m_loop->streams.back()->size = size;
            connectStream(*m_loop->streams.back(), m_loop->core);
        }
        pw_loop* loop = pw_thread_loop_get_loop(m_loop->thread);
        m_loop->timer = pw_loop_add_timer(loop, &Loop::sendFrames, m_loop.get());
        m_loop->wake = pw_loop_add_event(loop, &Loop::sendFrames, m_loop.get());
    }
    setRate(5); // frames keep coming, however late a reader joins
    m_ready = QTest::qWaitFor(
        [this] {
            const Loop::Lock lock(m_loop->thread);
            return std::all_of(m_loop->streams.begin(), m_loop->streams.end(),
                               [](const auto& stream) { return stream->node != SPA_ID_INVALID; });
        },
        10000);
}

CastProducer::~CastProducer() = default;

QString CastProducer::streams(const QList<QRect>& places) const {
    const Loop::Lock lock(m_loop->thread);
    QStringList streams;
    for (std::size_t i = 0; i < m_loop->streams.size(); ++i) {
        const QRect place = places.value(qsizetype(i));
        streams << QStringLiteral("%1@%2,%3,%4x%5")
                       .arg(m_loop->streams[i]->node)
                       .arg(place.x())
                       .arg(place.y())
                       .arg(place.width())
                       .arg(place.height());
    }
    return streams.join(QLatin1Char(';'));
}

bool CastProducer::show(int stream, const QImage& picture) {
    const Loop::Lock lock(m_loop->thread);
    if (stream < 0 || std::size_t(stream) >= m_loop->streams.size() ||
        picture.size() != m_loop->streams[std::size_t(stream)]->size) {
        return false;
    }
    m_loop->streams[std::size_t(stream)]->picture = picture.convertToFormat(QImage::Format_RGB32);
    m_loop->streams[std::size_t(stream)]->painted.clear();
    pw_loop_signal_event(pw_thread_loop_get_loop(m_loop->thread), m_loop->wake);
    return true;
}

bool CastProducer::cursor(int stream, QPoint at) {
    const Loop::Lock lock(m_loop->thread);
    for (std::size_t i = 0; i < m_loop->streams.size(); ++i) {
        m_loop->streams[i]->cursor = int(i) == stream ? std::optional(at) : std::nullopt;
    }
    pw_loop_signal_event(pw_thread_loop_get_loop(m_loop->thread), m_loop->wake);
    return stream >= -1 && stream < int(m_loop->streams.size());
}

void CastProducer::setRate(int framesPerSecond) {
    const Loop::Lock lock(m_loop->thread);
    timespec interval{0, framesPerSecond > 0 ? 1000000000L / framesPerSecond : 0};
    pw_loop_update_timer(pw_thread_loop_get_loop(m_loop->thread), m_loop->timer, &interval,
                         &interval, false);
}
