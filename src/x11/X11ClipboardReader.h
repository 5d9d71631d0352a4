#pragma once

#include "ClipboardReader.h"

#include <QByteArray>
#include <QTimer>

#include <memory>

struct _XDisplay;
class QSocketNotifier;

// The CLIPBOARD selection, asked for on a connection of its own as ICCCM has it: the owner's
// targets, then its colour data or text, in one piece or in increments.  A whole read waits
// at most WaitMs, however the owner answers or fails to; Qt's own clipboard waits five
// seconds for each of its requests, with every window frozen.
class X11ClipboardReader final : public ClipboardReader {
public:
    static constexpr int WaitMs = 2000;
    // A colour takes a few bytes; an answer larger than this holds none.
    static constexpr long MaxBytes = 1L << 20;

    // Connects to `displayName` at the first read, so that start-up pays nothing for a paste
    // that may never come; a read answers nothing while the display cannot be reached.
    explicit X11ClipboardReader(const char* displayName);
    ~X11ClipboardReader() override;

    void read() override;
    void cancel() override;
    [[nodiscard]] bool isReading() const override { return m_request != nullptr; }

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    // The window that one read's answers come to: each read has its own, so that a late
    // answer to an abandoned read finds nobody.
    struct RequestWindow {
        RequestWindow(_XDisplay* display, unsigned long id) : display(display), id(id) {}
        ~RequestWindow();
        RequestWindow(const RequestWindow&) = delete;
        RequestWindow& operator=(const RequestWindow&) = delete;
        _XDisplay* display;
        unsigned long id;
    };

    bool connectDisplay();
    void ask(unsigned long target);
    void onReadable();
    void onConverted(unsigned long property);
    void onIncrement();
    void take(const QByteArray& bytes);
    void finish(const QByteArray& bytes);
    [[nodiscard]] unsigned long atom(const char* name) const;

    QByteArray m_displayName;
    std::unique_ptr<_XDisplay, DisplayCloser> m_display;
    // Declared after the connection, so it goes first.
    std::unique_ptr<RequestWindow> m_request;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_deadline;
    unsigned long m_target = 0; // asked for; 0 while the targets are
    bool m_incremental = false;
    QByteArray m_received;
};
