#pragma once

#include "CssColourReader.h"
#include "Rgb.h"

#include <QObject>

#include <optional>

class QMimeData;
class QWidget;

// Takes a colour pasted into `window` (Ctrl+V, where no editable field has the focus, whose
// own paste comes first) or dropped onto it: a CSS colour text such as "#RRGGBB",
// "rgb(r, g, b)" or "oklch(L C h)", or Qt's colour data, as Qt's and KDE's colour buttons
// carry it.  What holds no colour changes nothing; the window is told, to say so, as it is
// told when a colour's transparency is dropped.
class ColourReceiver : public QObject {
    Q_OBJECT
public:
    explicit ColourReceiver(QWidget& window);

    // While off (during a pick), pastes and drops are ignored.
    void setOn(bool on) { m_on = on; }

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
    void take(const QMimeData* data, const QString& noColour);

    QWidget& m_window;
    bool m_on = true;
};
