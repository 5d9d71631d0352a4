#pragma once

#include "core/Language.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <span>

// How a window reads as data: one row per control, applied by a small loop.
namespace FormLayout {

inline constexpr int NoTag = -1;
inline constexpr int NoTabStop = -1;

enum class FontRole { Window, Courier11, Courier13 };

// A control's own font, where it is neither the window's nor one of the roles.
struct FontSpec {
    const char* family;
    int pixelSize;
    QFont::StyleHint styleHint = QFont::SansSerif; // what stands in when the family is missing
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct Control {
    const char* name;
    const char* parent = nullptr; // nullptr: the window itself
    QRect geometry;
    int tag = NoTag;
    int tabOrder = NoTabStop;
    BiText text{};              // design text or caption; both forms alike if no code sets it
    const char* hint = nullptr; // tooltip, shown
    QRgb background = 0;        // 0: the parent's
    QRgb foreground = 0;
    FontRole font = FontRole::Window;
    bool handCursor = false;
    int maxLength = 0;                    // text fields only; 0: no limit
    const FontSpec* ownFont = nullptr;    // overrides `font`
    const char* accessibleName = nullptr; // for screen readers, where no text names it
};

struct Window {
    QSize clientSize;
    const char* fontFamily;
    int fontPixelSize;
    std::span<const Control> controls;
};

// Looks up the row for `name`; a missing row is a programming error.
const Control& row(const Window& window, const char* name);

// Gives `widget` the row's name, geometry, tag, hint, colours, font and cursor.
void apply(QWidget* widget, const Control& row);

// Sets the window's own client size (fixed) and default font.
void applyWindow(QWidget* window, const Window& layout);

// Chains the tab stops of `window`'s children in the order the table gives; the stops on a
// panel follow the panel itself.
void applyTabOrder(QWidget* window, const Window& layout);

// The tag a shared handler uses to tell its controls apart.
int tagOf(const QObject* control);

// The control a row names as its parent, or the window itself.
QWidget* parentFor(QWidget* window, const Control& row);

// Creates the control of the row `name` of `layout`, owned by its parent, and lays it out.
template <typename T> T* place(QWidget* window, const Window& layout, const char* name) {
    const Control& laidOut = row(layout, name);
    auto* widget = new T(parentFor(window, laidOut));
    apply(widget, laidOut);
    return widget;
}

// The same, with the row's design text in the interface language.
template <typename T> T* placeWithText(QWidget* window, const Window& layout, const char* name) {
    T* widget = place<T>(window, layout, name);
    widget->setText(QString::fromUtf8(Choose(row(layout, name).text)));
    return widget;
}

} // namespace FormLayout
