// Colour texts written and read: every form Tintor writes, every CSS Color 4 syntax it reads,
// and what is no colour.

#include "ColourMaths.h"
#include "ColourNotation.h"
#include "WrittenForms.h"

#include <QColor>
#include <QTest>

#include <utility>

class NotationTest : public QObject {
    Q_OBJECT
private slots:
    void written_data();
    void written();
    void read_data();
    void read();
    void everyFormReadsBack();
};

namespace {

constexpr int ChannelText = -1; // a row's form: the channel text, not a colour's

Rgb colourOf(int value) {
    return {value >> 16, value >> 8, value};
}

} // namespace

// Each form as written, with the fewest decimals, and read back.
void NotationTest::written_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("value"); // a channel, or 0xRRGGBB
    QTest::addColumn<QString>("text");
    const auto row = [](int form, int value, const char* text) {
        QTest::addRow("%s", text) << form << value << QString::fromUtf8(text);
    };
    for (const auto& [value, text] :
         {std::pair(0, "$00"), {9, "$09"}, {0xAB, "$AB"}, {255, "$FF"}}) {
        row(ChannelText, value, text);
    }
    const auto form = [](ColourForm f) { return static_cast<int>(f); };
    row(form(ColourForm::Hash), 0xFF8000, "#FF8000");
    row(form(ColourForm::Hash), 0x0A0B0C, "#0A0B0C");
    row(form(ColourForm::Dollar), 0xFF8000, "$FF8000");
    row(form(ColourForm::Rgb), 0xFF8000, "rgb(255, 128, 0)");
    row(form(ColourForm::Rgb), 0x0A0B0C, "rgb(10, 11, 12)");
    row(form(ColourForm::Hsl), 0xFF8000, "hsl(30, 100%, 50%)");
    row(form(ColourForm::Hsl), 0xFFFFFF, "hsl(0, 0%, 100%)");
    row(form(ColourForm::Hsl), 0xFF0001, "hsl(359.8, 100%, 50%)"); // not 0: that is #FF0000
    row(form(ColourForm::Hsl), 0xF00200, "hsl(0.5, 100%, 47%)");
    row(form(ColourForm::Hsl), 0x090807, "hsl(30, 13%, 3%)");
    row(form(ColourForm::Hsl), 0x010203, "hsl(210, 50%, 0.8%)");
    row(form(ColourForm::Hsl), 0xEC7260, "hsl(8, 79%, 65.1%)"); // the hue trimmed last
    row(form(ColourForm::Hwb), 0xFF8000, "hwb(30 0% 0%)");
    row(form(ColourForm::Hwb), 0xE1E7ED, "hwb(210 88.2% 7%)");
    // Rounding to the colour unclipped: b 0.13 or C 0.186 would be beyond sRGB.
    row(form(ColourForm::Lab), 0xFF0000, "lab(54.3 80.8 70)");
    row(form(ColourForm::Lab), 0x010203, "lab(0.5 0 -0.5)");
    row(form(ColourForm::Lch), 0xFF6347, "lch(63 76 39)");
    row(form(ColourForm::Lch), 0xFFFFFF, "lch(100 0 0)"); // a grey's hue is 0
    row(form(ColourForm::Oklab), 0xFF0000, "oklab(0.628 0.225 0.1258)");
    row(form(ColourForm::Oklab), 0xFF8000, "oklab(0.732 0.112 0.1484)");
    row(form(ColourForm::Oklab), 0x090807, "oklab(0.135 0 0.003)");
    row(form(ColourForm::Oklch), 0xFF8000, "oklch(0.732 0.1858 53)");
    row(form(ColourForm::Oklch), 0xFF0000, "oklch(0.628 0.2577 29.23)");
    row(form(ColourForm::Oklch), 0xFFFFFF, "oklch(1 0 0)");
}

void NotationTest::written() {
    QFETCH(int, form);
    QFETCH(int, value);
    QFETCH(QString, text);
    if (form == ChannelText) {
        QCOMPARE(channelText(value), text);
        QCOMPARE(readChannelText(text), value);
        return;
    }
    QCOMPARE(colourInForm(colourOf(value), static_cast<ColourForm>(form)), text);
    QCOMPARE(readColour(text), colourOf(value));
}

// Texts only read: CSS Color 4's syntaxes, Tintor's own, and what is no colour.
void NotationTest::read_data() {
    QTest::addColumn<bool>("channel"); // a channel field's text, else a colour's
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // a channel, or 0xRRGGBB; -1 for none
    QTest::addColumn<bool>("alphaDropped");
    const auto row = [](const char* text, int value, bool alpha = false) {
        QTest::addRow("%s", text) << false << QString::fromUtf8(text) << value << alpha;
    };
    for (const auto& [text, value] : {std::pair("ff", 255),
                                      {"$aB", 0xAB},
                                      {"$F", -1},
                                      {"F", -1},
                                      {"$FG", -1},
                                      {"+F", -1},
                                      {" F", -1},
                                      {"$$F", -1},
                                      {"", -1}}) {
        QTest::addRow("channel %s", text) << true << QString::fromUtf8(text) << value << false;
    }
    row("ff8000", 0xFF8000);
    row("#f80", 0xFF8800);
    row("#F80F", 0xFF8800);
    row("#f808", 0xFF8800, true);
    row("#FF800080", 0xFF8000, true);
    row(" \t#Ff8000\n", 0xFF8000);
    row("RGB(1,2,3)", 0x010203);
    row(" rgb( 1 , 2 , 3 ) ", 0x010203);
    row("rgb(100% 50% 0%)", 0xFF8000); // 127.5 rounds up
    row("rgba(255, 128, 0, 0.5)", 0xFF8000, true);
    row("rgb(255 128 0 / 50%)", 0xFF8000, true);
    row("rgb(none 128 0)", 0x008000);
    row("rgb(1e2 +5 .5)", 0x640501);
    // The bounds: 255 is the last channel value, beyond it CSS clips per channel.
    row("rgb(255, 255, 255)", 0xFFFFFF);
    row("rgb(256, 0, 0)", 0xFF0000);
    row("rgb(254.5 -1 300)", 0xFF00FF);
    row("color(srgb 1.5 0.5 -0.5)", 0xFF8000);
    row("HSLA(120deg 100% 25% / 0)", 0x008000, true);
    row("hsl(0.5turn 100 50)", 0x00FFFF);
    row("hsl(200grad, 100%, 50%)", 0x00FFFF);
    row("hsl(3.14159265rad 100% 50%)", 0x00FFFF);
    row("hwb(120 0% 50%)", 0x008000);
    row("hwb(0 60% 60%)", 0x808080); // whiteness and blackness beyond 100%: a grey
    // CSS Color 4's own example values for red, and its clamps.
    row("lab(54.29 80.82 69.9)", 0xFF0000);
    row("lch(54.29% 106.84 40.85)", 0xFF0000);
    row("oklab(0.628 0.2249 0.1258)", 0xFF0000);
    row("oklch(62.8% 0.2577 29.23deg)", 0xFF0000);
    row("lab(50 0 0)", 0x777777);
    row("lch(50 -10 none)", 0x777777);
    row("oklab(1.5 0 0)", 0xFFFFFF);
    row("lab(150 50 0)", 0xFFD8FF);   // L clamped to 100 before conversion
    row("hsl(0 -50% 50%)", 0x808080); // a negative saturation or chroma is 0
    row("oklch(0.5 -1 30)", 0x636363);
    // 100% of a, b and chroma: lab() 125 and 150, oklab() 0.4.
    row("lab(50 100% -100%)", 0xD600FF);
    row("lch(50 70% 200)", 0x0098B2);
    row("oklab(0.5 100% -50%)", 0xD900C7);
    row("oklch(0.5 50% 30)", 0xBA0D01);
    // Beyond sRGB: each channel clipped on its own, not mapped into the gamut.
    row("oklch(0.9 0.3 140)", 0x4BFF00);
    // Huge and infinite components clamp as CSS does; no NaN decides the colour.
    row("rgb(1e999 0 -1e999)", 0xFF0000);
    row("lab(50 1e200 0)", 0xFF00FF);
    row("oklch(0.5 1e110 0)", 0xFF0000);
    row("hwb(0 1e308% 1e308%)", 0x808080);
    row("hwb(0 1e300% 1e299%)", 0xE8E8E8);   // whiteness and blackness keep their ratio
    row("oklab(0.5 1e200 1e199)", 0xFF0000); // and so do a and b
    row("hsl(30 1e308% 50%)", 0xFF8000);
    row("lch(50 30 1e308deg)", 0x7B70A5);
    row("  Tomato ", 0xFF6347);
    row("rebeccapurple", 0x663399);
    for (const char* text : {"#FF800",
                             "#FF80001",
                             "$F80",
                             "F80",
                             "$FF8000AA",
                             "rgb(1, 2 3)",
                             "rgb(1 2, 3)",
                             "rgb(1, 2, 3",
                             "#FF8000;",
                             "",
                             "rgb(1, 2%, 3)",
                             "hsl(30, 100, 50)",
                             "rgb(none, 0, 0)",
                             "hwb(120, 0%, 50%)",
                             "rgb(1 2 3 4)",
                             "lab(50 0)",
                             "rgb(1 2 3 / )",
                             "hsl(30% 1% 1%)",
                             "color(display-p3 1 0 0)",
                             "rgb(1deg 2 3)",
                             "tomatoes",
                             "rgb (1 2 3)",
                             "rgb(none2 0 0)",
                             "hsl(120deg5% 50%)",
                             "color(srgb1 0 0)",
                             "hſl(120 50% 50%)",
                             "Khaki",
                             "rgb(1 2 3 / 1 , 2)"}) {
        row(text, -1);
    }
}

void NotationTest::read() {
    QFETCH(bool, channel);
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, alphaDropped);
    const bool none = value < 0;
    if (channel) {
        QCOMPARE(readChannelText(text), none ? std::nullopt : std::optional<int>(value));
        return;
    }
    const std::optional<ReadColour> read = readCssColour(text);
    QCOMPARE(read.has_value(), !none);
    if (read) {
        QCOMPARE(read->colour, colourOf(value));
        QCOMPARE(read->alphaDropped, alphaDropped);
    }
}

// Every written form reads back to its colour, rounding to it unclipped with the fewest
// decimals, on a grid of 59,000 colours with every channel's edges; and the names are
// CSS's, which Qt knows too.
void NotationTest::everyFormReadsBack() {
    QList<int> levels{1, 254, 255};
    for (int level = 0; level < 255; level += 7) {
        levels.append(level);
    }
    for (const int red : levels) {
        for (const int green : levels) {
            for (const int blue : levels) {
                for (const FormRow& row : colourForms()) {
                    const QString fault = writtenFault(Rgb(red, green, blue), row.form);
                    QVERIFY2(fault.isEmpty(), qPrintable(fault));
                }
            }
        }
    }
    for (const QString& name : QColor::colorNames()) {
        const QColor colour(name);
        const auto named = readCssColour(name);
        QVERIFY2(named || name == u"transparent", qPrintable(name));
        QVERIFY(!named || named->colour == Rgb::fromQRgb(colour.rgb()));
    }
}

QTEST_APPLESS_MAIN(NotationTest)
#include "tst_notations.moc"
