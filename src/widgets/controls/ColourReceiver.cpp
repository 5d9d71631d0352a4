#include "ColourReceiver.h"

#include "ClipboardReader.h"
#include "ColourNotation.h"

#include <QColor>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>
#include <QWidget>

ColourReceiver::ColourReceiver(QWidget& window, std::unique_ptr<ClipboardReader> clipboard)
    : QObject(&window), m_window(window), m_clipboard(std::move(clipboard)),
      m_escape(new QShortcut(Qt::Key_Escape, &window)) {
    // An editable field's own paste takes the keys first; a read-only one lets them through.
    auto* shortcut = new QShortcut(QKeySequence::Paste, &window);
    connect(shortcut, &QShortcut::activated, this, &ColourReceiver::paste);
    connect(m_clipboard.get(), &ClipboardReader::answered, this, [this](const QMimeData& data) {
        endPaste(true);
        take(&data, tr("The clipboard holds no colour."));
    });
    connect(m_clipboard.get(), &ClipboardReader::unanswered, this, [this] { endPaste(false); });
    // Escape gives up waiting for the clipboard, as its owner would have made the user wait.
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, [this] {
        m_clipboard->cancel();
        endPaste(false);
    });
    window.setAcceptDrops(true);
    // A colour dropped anywhere on the window is the window's, fields included.
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
        field->setAcceptDrops(false);
    }
    window.installEventFilter(this);
}

std::optional<ReadColour> ColourReceiver::colourIn(const QMimeData* data) {
    if (data == nullptr) {
        return std::nullopt;
    }
    if (data->hasColor()) {
        const QColor colour = qvariant_cast<QColor>(data->colorData());
        if (colour.isValid()) {
            return ReadColour{Rgb::fromQRgb(colour.rgb()), colour.alpha() < 255};
        }
    }
    return data->hasText() ? readCssColour(data->text()) : std::nullopt;
}

ColourReceiver::~ColourReceiver() = default;

void ColourReceiver::setOn(bool on) {
    m_on = on;
    if (!on && m_clipboard->isReading()) {
        m_clipboard->cancel(); // the pick takes the colour now
        m_escape->setEnabled(false);
    }
}

void ColourReceiver::paste() {
    if (m_on && !m_clipboard->isReading()) {
        m_escape->setEnabled(true);
        m_clipboard->read();
    }
}

void ColourReceiver::endPaste(bool answered) {
    m_escape->setEnabled(false);
    if (!answered) {
        emit noColourReceived(tr("The clipboard did not answer."));
    }
}

void ColourReceiver::take(const QMimeData* data, const QString& noColour) {
    if (const std::optional<ReadColour> read = colourIn(data)) {
        emit colourReceived(read->colour);
        if (read->alphaDropped) {
            emit transparencyDropped(tr("The colour's transparency is dropped: Tintor's colours "
                                        "are opaque."));
        }
    } else {
        emit noColourReceived(noColour);
    }
}

bool ColourReceiver::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window) {
        return false;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Whatever may name a colour is let in, so that the drop can say when it does not.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const QMimeData* data = drag->mimeData();
        if (m_on && (data->hasColor() || data->hasText())) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (m_on) {
            drop->acceptProposedAction();
            take(drop->mimeData(), tr("The drop holds no colour."));
        }
        return true;
    }
    default:
        return false;
    }
}
