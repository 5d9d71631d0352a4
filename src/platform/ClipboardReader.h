#pragma once

#include <QObject>

class QMimeData;

// Reads what the clipboard holds without waiting on its owner: the answer comes from the
// event loop, which runs on meanwhile, so the windows repaint and take keys during a read.
class ClipboardReader : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks the owner; a read under way goes on instead.
    virtual void read() = 0;
    // Ends a read under way; nothing is signalled for it.
    virtual void cancel() = 0;
    [[nodiscard]] virtual bool isReading() const = 0;

signals:
    // What the owner gave, as colour data or text; nothing of either when it holds neither.
    void answered(const QMimeData& data);
    // The owner did not answer in time.
    void unanswered();
};

// Qt's own clipboard, where asking it never waits (Qt's offscreen platform): the answer
// comes before read() returns.
class QtClipboardReader final : public ClipboardReader {
public:
    using ClipboardReader::ClipboardReader;
    void read() override;
    void cancel() override {}
    [[nodiscard]] bool isReading() const override { return false; }
};
