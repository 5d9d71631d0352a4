#pragma once

#include "CssColourReader.h"
#include "Rgb.h"

#include <QObject>

#include <memory>
#include <optional>

class ClipboardReader;
class QMimeData;
class QShortcut;
class QWidget;

// Takes a colour pasted into `window` (Ctrl+V, where no editable field has the focus, whose
// own paste comes first) or dropped onto it: a CSS colour text such as "#RRGGBB",
// "rgb(r, g, b)" or "oklch(L C h)", or Qt's colour data, as Qt's and KDE's colour buttons
// carry it.  What holds no colour changes nothing; the window is told, to say so, as it is
// told when a colour's transparency is dropped.  A paste waits for the clipboard's owner
// without holding up the window, which Escape ends.
class ColourReceiver : public QObject {
    Q_OBJECT
public:
    ColourReceiver(QWidget& window, std::unique_ptr<ClipboardReader> clipboard);
    ~ColourReceiver() override;

    // While off (during a pick), pastes and drops are ignored, and a paste under way ends.
    void setOn(bool on);

    // The colour that `data` carries, if any.
    static std::optional<ReadColour> colourIn(const QMimeData* data);

signals:
    void colourReceived(Rgb colour);
    // `message` says what held no colour: the clipboard, or the drop.
    void noColourReceived(const QString& message);
    // The colour received came with a transparency, which Tintor has not: `message` says so.
    void transparencyDropped(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paste();
    void endPaste(bool answered);
    void take(const QMimeData* data, const QString& noColour);

    QWidget& m_window;
    std::unique_ptr<ClipboardReader> m_clipboard;
    QShortcut* m_escape = nullptr;
    bool m_on = true;
};
