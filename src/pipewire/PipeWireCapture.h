#pragma once

#include "Result.h"
#include "StreamFrames.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

// Reads screen-cast streams on a PipeWire thread of their own, from a connection the
// desktop handed over.  Its signals come from that thread and are delivered queued; none
// comes after it is destroyed, which stops the thread first.
class PipeWireCapture : public QObject {
    Q_OBJECT
public:
    struct Source {
        std::uint32_t node;
        std::shared_ptr<StreamFrames> frames; // where the node's frames go
    };

    // Takes `fd`, a connection to PipeWire, whatever the outcome.  At most `maxFramerate`
    // frames a second are asked for.
    static Result<std::unique_ptr<PipeWireCapture>>
    start(int fd, const std::vector<Source>& sources, int maxFramerate);
    ~PipeWireCapture() override;

signals:
    // Stream `index` (in the order given) sent its first picture.
    void firstFrame(int index);
    // A stream or the connection broke off; `why` is for the log.
    void broken(const QString& why);

private:
    struct Loop;
    PipeWireCapture();
    Result<void> connect(int fd, const std::vector<Source>& sources, int maxFramerate);

    std::unique_ptr<Loop> m_loop;
};
