#include "PipeWireCapture.h"

#include "CaptureStream.h"
#include "PipeWireHandles.h"
#include "PipeWireLog.h"

#include <unistd.h>

#include <cerrno>

// The thread loop and everything that lives on it, in the order they are made.  PipeWire
// calls its callbacks on the loop's thread, holding the loop's lock.
struct PipeWireCapture::Loop {
    PipeWireCapture* owner = nullptr;
    PipeWirePtr<pw_thread_loop> thread;
    PipeWirePtr<pw_context> context;
    PipeWirePtr<pw_core> core;
    PipeWireHook coreListener;
    PipeWirePtr<pw_registry> registry;
    PipeWireHook registryListener;
    std::vector<std::unique_ptr<CaptureStream>> streams;

    explicit Loop(PipeWireCapture* capture) : owner(capture) {}
    Loop(const Loop&) = delete;
    Loop& operator=(const Loop&) = delete;

    // Everything on the loop goes under its lock; then the thread stops, then the rest.
    ~Loop() {
        if (thread) {
            pw_thread_loop_lock(thread.get());
            streams.clear();
            registryListener.remove();
            registry.reset();
            coreListener.remove();
            core.reset();
            pw_thread_loop_unlock(thread.get());
            pw_thread_loop_stop(thread.get());
        }
        context.reset();
        thread.reset();
    }

    // To the GUI thread.
    void post(std::function<void()> call) const {
        QMetaObject::invokeMethod(owner, std::move(call), Qt::QueuedConnection);
    }
    void broken(const QString& why) const {
        post([capture = owner, why] { emit capture->broken(why); });
    }

    static void onCoreError(void* data, std::uint32_t id, int, int result, const char* message) {
        if (id == PW_ID_CORE && result == -EPIPE) {
            static_cast<Loop*>(data)->broken(QStringLiteral("PipeWire: ") +
                                             QString::fromUtf8(message));
        }
    }
    // The desktop ended a stream: its node went away.
    static void onGlobalRemoved(void* data, std::uint32_t id) {
        const auto* loop = static_cast<Loop*>(data);
        for (const auto& stream : loop->streams) {
            if (stream->node() == id) {
                loop->broken(QStringLiteral("node %1 went away").arg(id));
            }
        }
    }
};

PipeWireCapture::PipeWireCapture() : m_loop(std::make_unique<Loop>(this)) {}

PipeWireCapture::~PipeWireCapture() = default;

Result<std::unique_ptr<PipeWireCapture>>
PipeWireCapture::start(int fd, const std::vector<Source>& sources, int maxFramerate) {
    std::unique_ptr<PipeWireCapture> capture(new PipeWireCapture);
    if (const Result<void> connected = capture->connect(fd, sources, maxFramerate); !connected) {
        return Failure{connected.error()};
    }
    return capture;
}

Result<void> PipeWireCapture::connect(int fd, const std::vector<Source>& sources,
                                      int maxFramerate) {
    // Once a process: PipeWire's own set-up, which pw_deinit would undo for every user.
    static const bool initialised = [] {
        pw_init(nullptr, nullptr);
        return true;
    }();
    Q_UNUSED(initialised)
    Loop& loop = *m_loop;
    loop.thread.reset(pw_thread_loop_new("tintor-cast", nullptr));
    if (!loop.thread) {
        ::close(fd);
        return Failure{QStringLiteral("no PipeWire thread")};
    }
    loop.context.reset(pw_context_new(pw_thread_loop_get_loop(loop.thread.get()), nullptr, 0));
    if (!loop.context || pw_thread_loop_start(loop.thread.get()) < 0) {
        ::close(fd);
        return Failure{QStringLiteral("no PipeWire context")};
    }
    pw_thread_loop_lock(loop.thread.get());
    const Result<void> made = [&]() -> Result<void> {
        // The core takes the descriptor, also when it fails.
        loop.core.reset(pw_context_connect_fd(loop.context.get(), fd, nullptr, 0));
        if (!loop.core) {
            return Failure{QStringLiteral("cannot connect to PipeWire")};
        }
        static constexpr pw_core_events coreEvents = [] {
            pw_core_events e{};
            e.version = PW_VERSION_CORE_EVENTS;
            e.error = &Loop::onCoreError;
            return e;
        }();
        pw_core_add_listener(loop.core.get(), loop.coreListener.get(), &coreEvents, &loop);
        static constexpr pw_registry_events registryEvents = [] {
            pw_registry_events e{};
            e.version = PW_VERSION_REGISTRY_EVENTS;
            e.global_remove = &Loop::onGlobalRemoved;
            return e;
        }();
        loop.registry.reset(pw_core_get_registry(loop.core.get(), PW_VERSION_REGISTRY, 0));
        if (loop.registry) {
            pw_registry_add_listener(loop.registry.get(), loop.registryListener.get(),
                                     &registryEvents, &loop);
        }
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const int index = static_cast<int>(i);
            CaptureStream::Events events{
                [&loop, index] {
                    loop.post([c = loop.owner, index] { emit c->firstFrame(index); });
                },
                [&loop](const char* why) { loop.broken(QString::fromUtf8(why)); }};
            loop.streams.push_back(std::make_unique<CaptureStream>(
                *loop.core, sources[i].node, sources[i].frames, maxFramerate, std::move(events)));
            if (const Result<void> connected = loop.streams.back()->connect(); !connected) {
                return connected;
            }
        }
        return {};
    }();
    pw_thread_loop_unlock(loop.thread.get());
    return made;
}
