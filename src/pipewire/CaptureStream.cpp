#include "CaptureStream.h"

#include "BufferPicture.h"
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
    m_frames->show(std::nullopt); // the held buffer goes with the stream
    if (m_stream) {
        pw_stream_disconnect(m_stream.get());
    }
}

Result<void> CaptureStream::connect() {
    if (!m_stream) {
        return Failure{QStringLiteral("no PipeWire stream could be made")};
    }
    // As a target, PW_ID_ANY lets PipeWire link any source it likes, a camera included: never
    // what the desktop offered.
    if (m_node == PW_ID_ANY) {
        return Failure{QStringLiteral("the desktop named no node")};
    }
    static constexpr pw_stream_events events = [] {
        pw_stream_events e{};
        e.version = PW_VERSION_STREAM_EVENTS;
        e.state_changed = &CaptureStream::onStateChanged;
        e.param_changed = &CaptureStream::onParamChanged;
        e.remove_buffer = &CaptureStream::onRemoveBuffer;
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
            &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers,
            // One buffer is always held for the readers: the desktop needs another to draw in.
            SPA_PARAM_BUFFERS_buffers, SPA_POD_CHOICE_RANGE_Int(4, 2, 16),
            SPA_PARAM_BUFFERS_dataType,
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
    // Oldest first: a newer buffer may carry only the pointer's place.
    while (pw_buffer* buffer = pw_stream_dequeue_buffer(self->m_stream.get())) {
        self->take(buffer);
    }
}

void CaptureStream::onRemoveBuffer(void* data, pw_buffer* buffer) {
    auto* self = static_cast<CaptureStream*>(data);
    if (buffer == self->m_held) {
        self->m_frames->show(std::nullopt); // its memory goes with it
        self->m_held = nullptr;
    }
}

void CaptureStream::take(pw_buffer* buffer) {
    spa_buffer& spa = *buffer->buffer;
    if (const auto* cursor = static_cast<const spa_meta_cursor*>(
            spa_buffer_find_meta_data(&spa, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
        // Id 0: the pointer is not on this stream (any more).
        m_frames->storeCursor(spa_meta_cursor_is_valid(cursor)
                                  ? std::optional(QPoint(cursor->position.x, cursor->position.y))
                                  : std::nullopt);
    }
    const auto* header = static_cast<const spa_meta_header*>(
        spa_buffer_find_meta_data(&spa, SPA_META_Header, sizeof(spa_meta_header)));
    if (m_broken || !m_formatKnown ||
        (header != nullptr && (header->flags & SPA_META_HEADER_FLAG_CORRUPTED) != 0)) {
        pw_stream_queue_buffer(m_stream.get(), buffer);
        return;
    }
    const bool bgr =
        m_format.format == SPA_VIDEO_FORMAT_BGRx || m_format.format == SPA_VIDEO_FORMAT_BGRA;
    const auto picture = pictureIn(spa,
                                   QSize(int(std::min(m_format.size.width, 16384u)),
                                         int(std::min(m_format.size.height, 16384u))),
                                   bgr ? StreamFrames::Order::Bgrx : StreamFrames::Order::Rgbx);
    if (!picture || !*picture) {
        pw_stream_queue_buffer(m_stream.get(), buffer);
        if (!picture) {
            m_broken = true;
            qCWarning(lcPipeWire).noquote() << "node" << m_node << "sent" << picture.error();
            m_events.broken("a buffer does not hold the picture it says");
        }
        return;
    }
    // Shown, the buffer stays Tintor's until a newer picture replaces it; the one it
    // replaces is no longer read and goes back to the desktop.
    m_frames->show(**picture);
    if (m_held != nullptr) {
        pw_stream_queue_buffer(m_stream.get(), m_held);
    }
    m_held = buffer;
    if (!m_framed) {
        m_framed = true;
        m_events.firstFrame();
    }
}
