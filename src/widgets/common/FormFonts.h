#pragma once

#include <QObject>

#include <optional>

// Gives the widgets of a form the fonts they show from the moment the form sets them.
//
// Designer's font property has no pixel size, and the windows' fonts are laid out in
// pixels: a widget in a .ui file carries its height as the dynamic property "pixelSize",
// written before its font.  A form sets a widget's properties before it makes the widget's
// children, so with the size applied at once every widget is made in the font it keeps,
// and no font is loaded for a size that is thrown away (a line edit lays its text out at
// every change of font).
//
// The forms ask for "MS Sans Serif", a Windows face that fontconfig takes for the desktop's
// sans-serif (it offers no bitmap faces); where it is not installed they get that face by
// Qt's name for it, which the application's own font has already looked up, rather than
// by a second search through every installed face.
//
// Make one around a form's setupUi(), as setupWithFormFonts() does.
class FormFonts : public QObject {
public:
    FormFonts();
    ~FormFonts() override;
    FormFonts(const FormFonts&) = delete;
    FormFonts& operator=(const FormFonts&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] bool lacksWindowsSansSerif();

    std::optional<bool> m_lacksWindowsSansSerif;
};

// Sets `form` up on `widget` with every font final as the form sets it.
template <typename Form, typename Widget> void setupWithFormFonts(Form& form, Widget* widget) {
    const FormFonts fonts;
    form.setupUi(widget);
}
