#pragma once

#include <QObject>

// Designer's font property has no pixel size, and the windows' fonts are laid out in
// pixels: a widget in a .ui file carries its height as the dynamic property "pixelSize",
// written before its font.  While a PixelFonts lives, each widget's font takes that size the
// moment the form sets it, before the form makes the widget's children.  So every widget is
// made in the font it keeps, and no font is loaded for a size that is thrown away at once
// (a line edit lays its text out at every change of font).  Make one around a form's
// setupUi(), as setupWithPixelFonts() does.
class PixelFonts : public QObject {
public:
    PixelFonts();
    ~PixelFonts() override;
    PixelFonts(const PixelFonts&) = delete;
    PixelFonts& operator=(const PixelFonts&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Sets `form` up on `widget` with every pixel size applied as the form sets it.
template <typename Form, typename Widget> void setupWithPixelFonts(Form& form, Widget* widget) {
    const PixelFonts pixelFonts;
    form.setupUi(widget);
}
