#pragma once

#include "PipeWireHandles.h"
#include "Result.h"
#include "StreamFrames.h"

#include <cstdint>
#include <functional>
#include <memory>

#include <spa/param/video/raw.h>

// One screen-cast stream read on PipeWire's thread: it asks for 32-bit frames in shared
// memory with the buffer header and the pointer's place, and shows the newest picture and
// place in its StreamFrames, holding that picture's buffer until a newer one comes.  Made, used and
// destroyed under the thread loop's lock.
class CaptureStream {
public:
    struct Events {
        std::function<void()> firstFrame;            // the first picture came
        std::function<void(const char* why)> broken; // the stream can no longer be read
    };

    CaptureStream(pw_core& core, std::uint32_t node, std::shared_ptr<StreamFrames> frames,
                  int maxFramerate, Events events);
    ~CaptureStream();
    CaptureStream(const CaptureStream&) = delete;
    CaptureStream& operator=(const CaptureStream&) = delete;

    Result<void> connect();
    [[nodiscard]] std::uint32_t node() const { return m_node; }

private:
    static void onStateChanged(void* data, pw_stream_state old, pw_stream_state state,
                               const char* error);
    static void onParamChanged(void* data, std::uint32_t id, const spa_pod* param);
    static void onRemoveBuffer(void* data, pw_buffer* buffer);
    static void onProcess(void* data);
    void takeFormat(const spa_pod* param);
    void take(pw_buffer* buffer);

    std::uint32_t m_node;
    std::shared_ptr<StreamFrames> m_frames;
    int m_maxFramerate;
    Events m_events;
    PipeWirePtr<pw_stream> m_stream;
    PipeWireHook m_listener;
    spa_video_info_raw m_format{};
    bool m_formatKnown = false;
    bool m_framed = false;
    bool m_broken = false;
    pw_buffer* m_held = nullptr; // the picture the readers read, not given back meanwhile
};
