// A screen cast for tests: one PipeWire video stream per size given, BGRx in shared memory
// with the buffer header and the pointer's place as metadata, as the desktops send them.
//
//   cast_producer WxH...
//
// Prints "node INDEX ID" for each stream once PipeWire has it, then "ready".  Reads commands
// on stdin, answering "ok" to each:
//   picture INDEX FILE   the stream shows that picture from its next frame on
//   cursor INDEX X Y     the pointer is at (X, Y) of that stream and on no other; INDEX -1:
//                        on none
//   rate FPS             a frame every 1/FPS s, each a little changed (5 at first)
//   end INDEX            the stream ends
#include <QImage>
#include <QPoint>

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Producer;

struct Stream {
    Producer* producer = nullptr;
    int index = 0;
    QSize size;
    QImage picture;
    std::optional<QPoint> cursor;
    pw_stream* stream = nullptr;
    spa_hook listener{};
    bool announced = false;
};

struct Producer {
    pw_main_loop* loop = nullptr;
    pw_core* core = nullptr;
    std::vector<std::unique_ptr<Stream>> streams;
    spa_source* timer = nullptr;
    unsigned tick = 0;
    std::string input;
};

constexpr int cursorMetaSize = sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap) + 64 * 64 * 4;

void announceWhenAll(Producer& producer) {
    for (const auto& stream : producer.streams) {
        if (!stream->announced) {
            return;
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
}

void onState(void* data, pw_stream_state, pw_stream_state state, const char* error) {
    auto* stream = static_cast<Stream*>(data);
    if (state == PW_STREAM_STATE_ERROR) {
        std::fprintf(stderr, "cast_producer: stream %d: %s\n", stream->index, error);
    }
    if (!stream->announced && state >= PW_STREAM_STATE_PAUSED) {
        stream->announced = true;
        std::printf("node %d %u\n", stream->index, pw_stream_get_node_id(stream->stream));
        announceWhenAll(*stream->producer);
    }
}

void onParamChanged(void* data, uint32_t id, const spa_pod* param) {
    auto* stream = static_cast<Stream*>(data);
    if (param == nullptr || id != SPA_PARAM_Format) {
        return;
    }
    const int stride = stream->size.width() * 4;
    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    const spa_pod* params[] = {
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
            SPA_POD_CHOICE_RANGE_Int(4, 2, 8), SPA_PARAM_BUFFERS_blocks, SPA_POD_Int(1),
            SPA_PARAM_BUFFERS_size, SPA_POD_Int(stride * stream->size.height()),
            SPA_PARAM_BUFFERS_stride, SPA_POD_Int(stride), SPA_PARAM_BUFFERS_dataType,
            SPA_POD_CHOICE_FLAGS_Int(1 << SPA_DATA_MemFd))),
        static_cast<const spa_pod*>(
            spa_pod_builder_add_object(&builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta,
                                       SPA_PARAM_META_type, SPA_POD_Id(SPA_META_Header),
                                       SPA_PARAM_META_size, SPA_POD_Int(sizeof(spa_meta_header)))),
        static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
            SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size, SPA_POD_Int(cursorMetaSize))),
    };
    pw_stream_update_params(stream->stream, params, 3);
}

void onProcess(void* data) {
    auto* stream = static_cast<Stream*>(data);
    pw_buffer* buffer = pw_stream_dequeue_buffer(stream->stream);
    if (buffer == nullptr) {
        return;
    }
    spa_buffer* spa = buffer->buffer;
    if (auto* header = static_cast<spa_meta_header*>(
            spa_buffer_find_meta_data(spa, SPA_META_Header, sizeof(spa_meta_header)))) {
        *header = {};
    }
    if (auto* cursor = static_cast<spa_meta_cursor*>(
            spa_buffer_find_meta_data(spa, SPA_META_Cursor, sizeof(spa_meta_cursor)))) {
        *cursor = {};
        if (stream->cursor) {
            cursor->id = 1;
            cursor->position = {stream->cursor->x(), stream->cursor->y()};
        }
    }
    spa_data& plane = spa->datas[0];
    const int stride = stream->size.width() * 4;
    if (plane.data != nullptr && !stream->picture.isNull()) {
        // A frame a tick: the last row's first pixel changes, as a clock would.
        QImage& picture = stream->picture;
        const int y = picture.height() - 1;
        picture.setPixel(0, y, qRgb(stream->producer->tick & 0xFF, 0, 0));
        for (int row = 0; row < picture.height(); ++row) {
            std::memcpy(static_cast<uint8_t*>(plane.data) + row * stride,
                        picture.constScanLine(row), stride);
        }
        plane.chunk->offset = 0;
        plane.chunk->stride = stride;
        plane.chunk->size = static_cast<uint32_t>(stride * picture.height());
    } else if (plane.chunk != nullptr) {
        plane.chunk->size = 0; // the pointer's place only
    }
    pw_stream_queue_buffer(stream->stream, buffer);
}

const pw_stream_events streamEvents = [] {
    pw_stream_events events{};
    events.version = PW_VERSION_STREAM_EVENTS;
    events.state_changed = onState;
    events.param_changed = onParamChanged;
    events.process = onProcess;
    return events;
}();

void sendFrames(Producer& producer) {
    ++producer.tick;
    for (const auto& stream : producer.streams) {
        if (stream->stream != nullptr) {
            pw_stream_trigger_process(stream->stream);
        }
    }
}

std::unique_ptr<Stream> makeStream(Producer& producer, int index, QSize size) {
    auto stream = std::make_unique<Stream>();
    stream->producer = &producer;
    stream->index = index;
    stream->size = size;
    stream->stream = pw_stream_new(
        producer.core, "tintor-test-screen",
        pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", PW_KEY_MEDIA_TYPE, "Video", nullptr));
    pw_stream_add_listener(stream->stream, &stream->listener, &streamEvents, stream.get());
    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    spa_rectangle rectangle{static_cast<uint32_t>(size.width()),
                            static_cast<uint32_t>(size.height())};
    spa_fraction variable{0, 1};
    spa_fraction most{60, 1};
    spa_fraction least{1, 1};
    const spa_pod* params[] = {static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_Id(SPA_VIDEO_FORMAT_BGRx), SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&rectangle),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&variable), SPA_FORMAT_VIDEO_maxFramerate,
        SPA_POD_CHOICE_RANGE_Fraction(&most, &least, &most)))};
    pw_stream_connect(
        stream->stream, PW_DIRECTION_OUTPUT, PW_ID_ANY,
        static_cast<pw_stream_flags>(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS), params,
        1);
    return stream;
}

Stream* streamAt(Producer& producer, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= producer.streams.size()) {
        return nullptr;
    }
    return producer.streams[static_cast<std::size_t>(index)].get();
}

void setRate(Producer& producer, int fps) {
    timespec interval{0, fps > 0 ? 1000000000L / fps : 0};
    pw_loop_update_timer(pw_main_loop_get_loop(producer.loop), producer.timer, &interval, &interval,
                         false);
}

bool command(Producer& producer, const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    int index = -1;
    words >> verb;
    if (verb == "rate") {
        int fps = 0;
        words >> fps;
        setRate(producer, fps);
        return true;
    }
    words >> index;
    Stream* stream = streamAt(producer, index);
    if (verb == "cursor") {
        int x = 0;
        int y = 0;
        words >> x >> y;
        for (const auto& other : producer.streams) {
            other->cursor.reset();
        }
        if (stream != nullptr) {
            stream->cursor = QPoint(x, y);
        }
        sendFrames(producer);
        return stream != nullptr || index == -1;
    }
    if (stream == nullptr) {
        return false;
    }
    if (verb == "picture") {
        std::string file;
        words >> file;
        stream->picture =
            QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
        if (stream->picture.size() != stream->size) {
            return false;
        }
    } else if (verb == "end") {
        spa_hook_remove(&stream->listener);
        pw_stream_destroy(stream->stream);
        stream->stream = nullptr;
        return true;
    } else {
        return false;
    }
    sendFrames(producer);
    return true;
}

void onInput(void* data, int fd, uint32_t) {
    auto& producer = *static_cast<Producer*>(data);
    char chunk[4096];
    const ssize_t count = read(fd, chunk, sizeof chunk);
    if (count <= 0) {
        pw_main_loop_quit(producer.loop);
        return;
    }
    producer.input.append(chunk, static_cast<std::size_t>(count));
    for (auto end = producer.input.find('\n'); end != std::string::npos;
         end = producer.input.find('\n')) {
        const bool done = command(producer, producer.input.substr(0, end));
        producer.input.erase(0, end + 1);
        std::printf(done ? "ok\n" : "error\n");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    pw_init(&argc, &argv);
    Producer producer;
    producer.loop = pw_main_loop_new(nullptr);
    pw_context* context = pw_context_new(pw_main_loop_get_loop(producer.loop), nullptr, 0);
    producer.core = pw_context_connect(context, nullptr, 0);
    if (producer.core == nullptr || argc < 2) {
        std::fprintf(stderr, "cast_producer: no PipeWire, or no WxH given\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        int width = 0;
        int height = 0;
        if (std::sscanf(argv[i], "%dx%d", &width, &height) != 2) {
            return 2;
        }
        producer.streams.push_back(makeStream(producer, i - 1, QSize(width, height)));
    }
    pw_loop* loop = pw_main_loop_get_loop(producer.loop);
    producer.timer = pw_loop_add_timer(
        loop, [](void* data, uint64_t) { sendFrames(*static_cast<Producer*>(data)); }, &producer);
    pw_loop_add_io(loop, STDIN_FILENO, SPA_IO_IN, false, onInput, &producer);
    // Frames keep coming, however late a reader joins.
    setRate(producer, 5);
    pw_main_loop_run(producer.loop);
    for (const auto& stream : producer.streams) {
        if (stream->stream != nullptr) {
            pw_stream_destroy(stream->stream);
        }
    }
    pw_core_disconnect(producer.core);
    pw_context_destroy(context);
    pw_main_loop_destroy(producer.loop);
    return 0;
}
