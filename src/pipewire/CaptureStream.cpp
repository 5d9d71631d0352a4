#include "CaptureStream.h"

#include "PipeWireLog.h"

#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>
#include <spa/utils/result.h>

#include <array>

namespace {

// Room for the pointer's place and a bitmap of up to `side` x `side`, which Tintor does not
// read but which the desktops insist on room for (mutter asks for 384 x 384).
constexpr int cursorMetaSize(int side) {
    return static_cast<int>(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) + side * side * 4;
}

const spa_pod* formatsWanted(spa_pod_builder& builder, int maxFramerate) {
    spa_rectangle preferred{1920, 1080};
    spa_rectangle smallest{1, 1};
    spa_rectangle largest{16384, 16384};
    spa_fraction variable{0, 1};
    spa_fraction rate{static_cast<std::uint32_t>(maxFramerate), 1};
    spa_fraction lowest{1, 1};
    return static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(5, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                               SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_RGBA),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&preferred, &smallest, &largest),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&variable), SPA_FORMAT_VIDEO_maxFramerate,
        SPA_POD_CHOICE_RANGE_Fraction(&rate, &lowest, &rate)));
}

} // namespace

CaptureStream::CaptureStream(pw_core& core, std::uint32_t node,
                             std::shared_ptr<StreamFrames> frames, int maxFramerate, Events events)
    : m_node(node), m_frames(std::move(frames)), m_maxFramerate(maxFramerate),
      m_events(std::move(events)),
      m_stream(pw_stream_new(&core, "tintor-screen",
                             pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                               "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr))) {}

CaptureStream::~CaptureStream() {
    // Its own disconnection is no news to anyone.
    m_listener.remove();
    if (m_stream) {
        pw_stream_disconnect(m_stream.get());
    }
}

Result<void> CaptureStream::connect() {
    if (!m_stream) {
        return Failure{QStringLiteral("no PipeWire stream could be made")};
    }
    static constexpr pw_stream_events events = [] {
        pw_stream_events e{};
        e.version = PW_VERSION_STREAM_EVENTS;
        e.state_changed = &CaptureStream::onStateChanged;
        e.param_changed = &CaptureStream::onParamChanged;
        e.process = &CaptureStream::onProcess;
        return e;
    }();
    pw_stream_add_listener(m_stream.get(), m_listener.get(), &events, this);
    std::array<std::uint8_t, 1024> buffer{};
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer.data(), buffer.size());
    const spa_pod* params[] = {formatsWanted(builder, m_maxFramerate)};
    const int status = pw_stream_connect(
        m_stream.get(), PW_DIRECTION_INPUT, m_node,
        static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS),
        params, 1);
    if (status < 0) {
        return Failure{QStringLiteral("cannot connect to node %1: %2")
                           .arg(m_node)
                           .arg(QString::fromLocal8Bit(spa_strerror(status)))};
    }
    return {};
}

void CaptureStream::onStateChanged(void* data, pw_stream_state, pw_stream_state state,
                                   const char* error) {
    auto* self = static_cast<CaptureStream*>(data);
    qCDebug(lcPipeWire) << "stream of node" << self->m_node << "is"
                        << pw_stream_state_as_string(state);
    if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED) {
        self->m_events.broken(error != nullptr ? error : "the stream was disconnected");
    }
}

void CaptureStream::onParamChanged(void* data, std::uint32_t id, const spa_pod* param) {
    if (param != nullptr && id == SPA_PARAM_Format) {
        static_cast<CaptureStream*>(data)->takeFormat(param);
    }
}

void CaptureStream::takeFormat(const spa_pod* param) {
    std::uint32_t mediaType = 0;
    std::uint32_t mediaSubtype = 0;
    m_formatKnown = spa_format_parse(param, &mediaType, &mediaSubtype) >= 0 &&
                    mediaType == SPA_MEDIA_TYPE_video && mediaSubtype == SPA_MEDIA_SUBTYPE_raw &&
                    spa_format_video_raw_parse(param, &m_format) >= 0;
    if (!m_formatKnown) {
        m_events.broken("the stream's format cannot be read");
        return;
    }
    qCDebug(lcPipeWire) << "node" << m_node << "sends" << m_format.size.width << "x"
                        << m_format.size.height << "format" << m_format.format << "at most"
                        << m_format.max_framerate.num << "/" << m_format.max_framerate.denom;
    std::array<std::uint8_t, 1024> buffer{};
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer.data(), buffer.size());
    const spa_pod* params[] = {
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_dataType,
            SPA_POD_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr)))),
        static_cast<const spa_pod*>(
            spa_pod_builder_add_object(&builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta,
                                       SPA_PARAM_META_type, SPA_POD_Id(SPA_META_Header),
                                       SPA_PARAM_META_size, SPA_POD_Int(sizeof(spa_meta_header)))),
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
            SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
            SPA_POD_CHOICE_RANGE_Int(cursorMetaSize(64), cursorMetaSize(1), cursorMetaSize(1024)))),
    };
    pw_stream_update_params(m_stream.get(), params, 3);
}

void CaptureStream::onProcess(void* data) {
    auto* self = static_cast<CaptureStream*>(data);
    pw_buffer* newest = pw_stream_dequeue_buffer(self->m_stream.get());
    if (newest == nullptr) {
        return;
    }
    // Only the newest buffer counts; older ones go straight back.
    while (pw_buffer* next = pw_stream_dequeue_buffer(self->m_stream.get())) {
        pw_stream_queue_buffer(self->m_stream.get(), newest);
        newest = next;
    }
    self->takeBuffer(*newest->buffer);
    pw_stream_queue_buffer(self->m_stream.get(), newest);
}

void CaptureStream::takeBuffer(const spa_buffer& buffer) {
    auto& spa = const_cast<spa_buffer&>(buffer);
    if (const auto* cursor = static_cast<const spa_meta_cursor*>(
            spa_buffer_find_meta_data(&spa, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
        // Id 0: the pointer is not on this stream (any more).
        m_frames->storeCursor(spa_meta_cursor_is_valid(cursor)
                                  ? std::optional(QPoint(cursor->position.x, cursor->position.y))
                                  : std::nullopt);
    }
    const auto* header = static_cast<const spa_meta_header*>(
        spa_buffer_find_meta_data(&spa, SPA_META_Header, sizeof(spa_meta_header)));
    if ((header != nullptr && (header->flags & SPA_META_HEADER_FLAG_CORRUPTED) != 0) ||
        !m_formatKnown || buffer.n_datas < 1) {
        return;
    }
    // A buffer may carry only the pointer's place, with no picture.
    const spa_data& plane = buffer.datas[0];
    const spa_chunk* chunk = plane.chunk;
    if (plane.data == nullptr || chunk == nullptr || chunk->size == 0 ||
        (chunk->flags & SPA_CHUNK_FLAG_CORRUPTED) != 0) {
        return;
    }
    const QSize size(static_cast<int>(m_format.size.width), static_cast<int>(m_format.size.height));
    const std::size_t row = static_cast<std::size_t>(size.width()) * 4;
    const std::size_t stride = chunk->stride > 0 ? static_cast<std::size_t>(chunk->stride) : row;
    const std::size_t needed =
        chunk->offset + stride * static_cast<std::size_t>(size.height() - 1) + row;
    if (size.isEmpty() || stride < row || needed > plane.maxsize) {
        return;
    }
    const bool bgr =
        m_format.format == SPA_VIDEO_FORMAT_BGRx || m_format.format == SPA_VIDEO_FORMAT_BGRA;
    m_frames->store(static_cast<const std::byte*>(plane.data) + chunk->offset, stride, size,
                    bgr ? StreamFrames::Order::Bgrx : StreamFrames::Order::Rgbx);
    if (!m_framed) {
        m_framed = true;
        m_events.firstFrame();
    }
}
