// A screen cast for tests: a PipeWire video stream per size given, BGRx in shared memory
// with the pointer's place as metadata, as the desktops send them.
//
//   cast_producer WxH...
//
// Prints "node INDEX ID" for each stream once PipeWire has it, then "ready".  Sends a frame
// of each stream five times a second, and at once after each command on stdin, which it
// answers "ok" or "error":
//   picture INDEX FILE   the stream shows that picture (until then its frames are empty)
//   cursor INDEX X Y     the pointer is at (X, Y) of that stream, on no other (-1: on none)
//   rate FPS             FPS frames a second
// The streams end with the program, when stdin closes.
#include <QImage>
#include <QPoint>

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Producer;

struct Stream {
    Producer* owner = nullptr;
    QSize size;
    QImage picture;
    std::optional<QPoint> cursor;
    pw_stream* stream = nullptr;
    spa_hook listener{};
    bool announced = false;
};

struct Producer {
    pw_main_loop* loop = nullptr;
    std::vector<std::unique_ptr<Stream>> streams;
    spa_source* timer = nullptr;
    std::string input;
    std::size_t announced = 0;
};

void onState(void* data, pw_stream_state, pw_stream_state state, const char*) {
    auto* stream = static_cast<Stream*>(data);
    Producer& producer = *stream->owner;
    if (!stream->announced && state >= PW_STREAM_STATE_PAUSED) {
        stream->announced = true;
        std::printf("node %zu %u\n", producer.announced, pw_stream_get_node_id(stream->stream));
        if (++producer.announced == producer.streams.size()) {
            std::printf("ready\n");
        }
        std::fflush(stdout);
    }
}

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
    if (plane.data != nullptr && bytes > 0 && bytes <= plane.maxsize) {
        std::memcpy(plane.data, stream->picture.constBits(), bytes);
    }
    // Without a picture, a buffer carries the pointer's place only.
    *plane.chunk = {0, plane.data != nullptr && bytes <= plane.maxsize ? bytes : 0,
                    static_cast<int32_t>(stream->picture.bytesPerLine()), 0};
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

void sendFrames(void* data, uint64_t = 0) {
    for (const auto& stream : static_cast<Producer*>(data)->streams) {
        pw_stream_trigger_process(stream->stream);
    }
}

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

void setRate(Producer& producer, int fps) {
    timespec interval{0, fps > 0 ? 1000000000L / fps : 0};
    pw_loop_update_timer(pw_main_loop_get_loop(producer.loop), producer.timer, &interval, &interval,
                         false);
}

bool command(Producer& producer, const std::string& line) {
    char file[4096] = {};
    int index = -1;
    int x = 0;
    int y = 0;
    Stream* stream = nullptr;
    const auto at = [&stream, &producer](int i) {
        stream = i >= 0 && std::size_t(i) < producer.streams.size() ? producer.streams[i].get()
                                                                    : nullptr;
        return stream;
    };
    if (std::sscanf(line.c_str(), "rate %d", &x) == 1) {
        setRate(producer, x);
    } else if (std::sscanf(line.c_str(), "cursor %d %d %d", &index, &x, &y) >= 1) {
        for (const auto& other : producer.streams) {
            other->cursor.reset();
        }
        if (at(index) != nullptr) {
            stream->cursor = QPoint(x, y);
        } else if (index != -1) {
            return false;
        }
    } else if (std::sscanf(line.c_str(), "picture %d %4095s", &index, file) == 2 && at(index)) {
        stream->picture =
            QImage(QString::fromLocal8Bit(file)).convertToFormat(QImage::Format_RGB32);
        if (stream->picture.size() != stream->size) {
            return false;
        }
    } else {
        return false;
    }
    sendFrames(&producer);
    return true;
}

void onInput(void* data, int fd, uint32_t) {
    Producer& producer = *static_cast<Producer*>(data);
    char chunk[4096];
    const ssize_t count = read(fd, chunk, sizeof chunk);
    if (count <= 0) {
        pw_main_loop_quit(producer.loop);
        return;
    }
    producer.input.append(chunk, std::size_t(count));
    for (auto end = producer.input.find('\n'); end != std::string::npos;
         end = producer.input.find('\n')) {
        std::printf(command(producer, producer.input.substr(0, end)) ? "ok\n" : "error\n");
        std::fflush(stdout);
        producer.input.erase(0, end + 1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    pw_init(&argc, &argv);
    Producer producer;
    producer.loop = pw_main_loop_new(nullptr);
    pw_loop* loop = pw_main_loop_get_loop(producer.loop);
    pw_context* context = pw_context_new(loop, nullptr, 0);
    pw_core* core = pw_context_connect(context, nullptr, 0);
    if (core == nullptr || argc < 2) {
        std::fprintf(stderr, "cast_producer: no PipeWire, or no WxH given\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        auto stream = std::make_unique<Stream>();
        int width = 0;
        int height = 0;
        if (std::sscanf(argv[i], "%dx%d", &width, &height) != 2) {
            return 2;
        }
        stream->owner = &producer;
        stream->size = QSize(width, height);
        connectStream(*stream, core);
        producer.streams.push_back(std::move(stream));
    }
    producer.timer = pw_loop_add_timer(loop, sendFrames, &producer);
    pw_loop_add_io(loop, STDIN_FILENO, SPA_IO_IN, false, onInput, &producer);
    setRate(producer, 5); // frames keep coming, however late a reader joins
    pw_main_loop_run(producer.loop);
    for (const auto& stream : producer.streams) {
        pw_stream_destroy(stream->stream);
    }
    pw_core_disconnect(core);
    pw_context_destroy(context);
    pw_main_loop_destroy(producer.loop);
    return 0;
}
