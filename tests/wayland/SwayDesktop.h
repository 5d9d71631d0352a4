#pragma once

// The headless sway session as the Wayland end-to-end tests see it: its outputs, a native
// surface (swaybg) showing a picture on each, grim to read them back, and the pointer.

#include "Rgb.h"

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

struct SwayOutput {
    QString name;
    QRect logical; // in the layout, which is also where X places things
    double scale = 1;
    [[nodiscard]] QSize pixels() const { return (QSizeF(logical.size()) * scale).toSize(); }
};

namespace SwayDesktop {

// Runs a program of the session (swaymsg, grim) and returns what it printed; nothing when it
// fails.
QByteArray run(const QString& program, const QStringList& arguments);
QList<SwayOutput> outputs();
// What grim reads with `arguments`, as RGB32.
QImage grim(const QStringList& arguments);
// Shows `image` (one pixel a device pixel) as the output's background, and waits until grim
// reads it back.  False when it never shows.  The headless outputs draw the pointer into
// their pictures, so the pointer's place, when given, is left out of the comparison.
bool showBackground(const SwayOutput& output, const QImage& image, const QString& file,
                    std::optional<QPoint> pointer = std::nullopt);
// True when the session's bus has an owner for `name`.
bool busHasOwner(const QString& name);
// Where xdg-desktop-portal-wlr writes every screenshot; a file left there by anyone else
// would stop it from writing its own.  True once there is none.
inline const QString PortalFile = QStringLiteral("/tmp/out.png");
bool clearPortalFile();

} // namespace SwayDesktop

// Left half one colour, right half the other.
QImage halves(QSize size, Rgb left, Rgb right);
// Every pixel differs from its neighbours and from every other pixel of the picture, and of
// a picture with another `salt` (0 or 1): a read one pixel off, at the wrong scale or of the
// wrong output shows another colour.
QImage distinctPixels(QSize size, int salt = 0);
// Up to `count` points well inside `area` that the main window leaves clear.
QList<QPoint> clearPoints(const QRect& area, const QRect& mainWindow, int count);

// "#rrggbb", so that failed comparisons say which colours they compared; "unread" for a
// colour that could not be read.
QString hex(std::optional<Rgb> colour);
QString hex(QRgb colour);

// The tests' pointer: the compositor's virtual pointer, in layout coordinates.
class VirtualPointer {
public:
    VirtualPointer();
    ~VirtualPointer();
    VirtualPointer(const VirtualPointer&) = delete;
    VirtualPointer& operator=(const VirtualPointer&) = delete;

    [[nodiscard]] bool started() const { return m_started; }
    // Each returns once the compositor has handled it.
    bool move(QPoint at);
    // Moves until `arrived` says the pointer is there.
    bool moveUntil(QPoint at, const std::function<bool()>& arrived);
    bool click(Qt::MouseButton button);
    // Where the last move put it.
    [[nodiscard]] std::optional<QPoint> position() const { return m_position; }

private:
    bool command(const QByteArray& line);
    QProcess m_process;
    bool m_started = false;
    std::optional<QPoint> m_position;
};
