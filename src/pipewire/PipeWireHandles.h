#pragma once

// Owners for PipeWire's objects: each is given back through its own call, once.
#include <pipewire/pipewire.h>

#include <memory>

struct PipeWireDeleter {
    void operator()(pw_thread_loop* loop) const { pw_thread_loop_destroy(loop); }
    void operator()(pw_context* context) const { pw_context_destroy(context); }
    void operator()(pw_core* core) const { pw_core_disconnect(core); }
    void operator()(pw_registry* registry) const {
        pw_proxy_destroy(reinterpret_cast<pw_proxy*>(registry));
    }
    void operator()(pw_stream* stream) const { pw_stream_destroy(stream); }
    void operator()(pw_properties* properties) const { pw_properties_free(properties); }
};

template <typename T> using PipeWirePtr = std::unique_ptr<T, PipeWireDeleter>;

// A listener on a PipeWire object, taken off again when it goes.
class PipeWireHook {
public:
    PipeWireHook() = default;
    ~PipeWireHook() { remove(); }
    PipeWireHook(const PipeWireHook&) = delete;
    PipeWireHook& operator=(const PipeWireHook&) = delete;

    spa_hook* get() { return &m_hook; }
    void remove() {
        if (m_hook.link.next != nullptr) {
            spa_hook_remove(&m_hook);
            m_hook = {};
        }
    }

private:
    spa_hook m_hook{};
};
