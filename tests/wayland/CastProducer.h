#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>

// The test's screen cast: a PipeWire video stream per size given, BGRx in shared memory with
// the pointer's place as metadata, as the desktops send them, from a PipeWire thread of the
// test's own.  A frame of each stream goes five times a second (or as setRate() says), and at
// once after each change.  The streams end with the producer.
class CastProducer {
public:
    explicit CastProducer(const QList<QSize>& sizes);
    ~CastProducer();
    CastProducer(const CastProducer&) = delete;
    CastProducer& operator=(const CastProducer&) = delete;

    // Every stream has its PipeWire node.
    [[nodiscard]] bool isReady() const { return m_ready; }
    // The fake portal's --cast-streams, "NODE@X,Y,WxH;...", placed as GNOME says them.
    [[nodiscard]] QString streams(const QList<QRect>& places) const;

    // Until it shows a picture, a stream's frames carry the pointer's place only.
    bool show(int stream, const QImage& picture);
    // The pointer at `at` of that stream, and on no other; stream -1: on none.
    bool cursor(int stream, QPoint at = {});
    void setRate(int framesPerSecond);

private:
    struct Loop;
    std::unique_ptr<Loop> m_loop;
    bool m_ready = false;
};
