// Xlib's macros come after every Qt header.
#include "X11ClipboardReader.h"

#include "PlatformLog.h"

#include <QColor>
#include <QMimeData>
#include <QSocketNotifier>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

constexpr const char* ColourData = "application/x-color";

// The property of `window` taken as a whole, and deleted as the owner expects; a property
// larger than the limit reads as `whole` false.
struct Property {
    Atom type = 0;
    QByteArray bytes;
    bool whole = false;
};

Property takeProperty(Display* display, Window window, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, X11ClipboardReader::MaxBytes / 4 + 1, True,
                           AnyPropertyType, &type, &format, &items, &after, &data) != Success) {
        return {};
    }
    // Xlib hands 32-bit items over as longs.
    const std::size_t itemSize = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
    Property taken{
        type,
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(items * itemSize)),
        after == 0 && static_cast<long>(items * itemSize) <= X11ClipboardReader::MaxBytes};
    XFree(data);
    return taken;
}

} // namespace

void X11ClipboardReader::DisplayCloser::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

X11ClipboardReader::RequestWindow::~RequestWindow() {
    XDestroyWindow(display, id);
    XFlush(display);
}

X11ClipboardReader::X11ClipboardReader(const char* displayName) : m_displayName(displayName) {
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(WaitMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        qCWarning(lcPlatform) << "the clipboard's owner did not answer";
        cancel();
        emit unanswered();
    });
}

bool X11ClipboardReader::connectDisplay() {
    if (m_display != nullptr) {
        return true;
    }
    m_display.reset(XOpenDisplay(m_displayName.constData()));
    if (m_display == nullptr) {
        qCWarning(lcPlatform) << "cannot connect to display" << m_displayName
                              << "to read the clipboard";
        return false;
    }
    m_notifier =
        new QSocketNotifier(ConnectionNumber(m_display.get()), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11ClipboardReader::onReadable);
    return true;
}

X11ClipboardReader::~X11ClipboardReader() = default;

unsigned long X11ClipboardReader::atom(const char* name) const {
    return XInternAtom(m_display.get(), name, False);
}

void X11ClipboardReader::read() {
    if (isReading()) {
        return;
    }
    if (!connectDisplay() || XGetSelectionOwner(m_display.get(), atom("CLIPBOARD")) == None) {
        finish({});
        return;
    }
    Display* display = m_display.get();
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    m_request = std::make_unique<RequestWindow>(display, window);
    m_deadline.start();
    ask(0);
}

void X11ClipboardReader::cancel() {
    m_deadline.stop();
    m_request.reset();
    m_received.clear();
    m_incremental = false;
    m_target = 0;
}

void X11ClipboardReader::ask(unsigned long target) {
    m_target = target;
    XConvertSelection(m_display.get(), atom("CLIPBOARD"), target != 0 ? target : atom("TARGETS"),
                      atom("TINTOR_CLIPBOARD"), m_request->id, CurrentTime);
    XFlush(m_display.get());
}

void X11ClipboardReader::onReadable() {
    Display* display = m_display.get();
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (!isReading()) {
            continue; // an answer to a read that is over
        }
        if (event.type == SelectionNotify && event.xselection.requestor == m_request->id) {
            onConverted(event.xselection.property);
        } else if (event.type == PropertyNotify && event.xproperty.window == m_request->id &&
                   event.xproperty.state == PropertyNewValue && m_incremental) {
            onIncrement();
        }
    }
}

void X11ClipboardReader::onConverted(unsigned long property) {
    if (property == None) {
        finish({}); // the owner has nothing in that form
        return;
    }
    const Property taken = takeProperty(m_display.get(), m_request->id, property);
    if (taken.type == atom("INCR")) {
        // Deleting the property asked for the first piece; the size is a lower bound.
        m_incremental = true;
        return;
    }
    if (!taken.whole) {
        finish({});
        return;
    }
    take(taken.bytes);
}

void X11ClipboardReader::onIncrement() {
    const Property piece = takeProperty(m_display.get(), m_request->id, atom("TINTOR_CLIPBOARD"));
    if (!piece.whole || m_received.size() + piece.bytes.size() > MaxBytes) {
        finish({});
    } else if (piece.bytes.isEmpty()) {
        m_incremental = false;
        take(std::exchange(m_received, {}));
    } else {
        m_received += piece.bytes;
    }
}

void X11ClipboardReader::take(const QByteArray& bytes) {
    if (m_target != 0) {
        finish(bytes);
        return;
    }
    // The targets: colour data first, as a colour button drops it, then text.
    const auto* offered = reinterpret_cast<const unsigned long*>(bytes.constData());
    const std::size_t count = static_cast<std::size_t>(bytes.size()) / sizeof(unsigned long);
    for (const char* name : {ColourData, "UTF8_STRING", "text/plain;charset=utf-8", "STRING"}) {
        const unsigned long wanted = atom(name);
        if (std::find(offered, offered + count, wanted) != offered + count) {
            ask(wanted);
            return;
        }
    }
    finish({});
}

void X11ClipboardReader::finish(const QByteArray& bytes) {
    QMimeData data;
    if (m_target == atom(ColourData) && bytes.size() == 4 * sizeof(short)) {
        std::array<quint16, 4> rgba{};
        std::memcpy(rgba.data(), bytes.constData(), sizeof rgba);
        data.setColorData(QColor::fromRgba64(rgba[0], rgba[1], rgba[2], rgba[3]));
    } else if (m_target == atom("STRING")) {
        data.setText(QString::fromLatin1(bytes));
    } else if (m_target != 0) {
        data.setText(QString::fromUtf8(bytes));
    }
    cancel();
    emit answered(data);
}
