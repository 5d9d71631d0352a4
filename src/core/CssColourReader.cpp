#include "CssColourReader.h"

#include "CssFunctions.h"
#include "CssTokens.h"
#include "NamedColours.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <numbers>

namespace {

using Kind = CssToken::Kind;

// An angle's unit in degrees.
std::optional<double> degreesPer(const QString& unit) {
    if (unit == u"deg") {
        return 1.0;
    }
    if (unit == u"grad") {
        return 0.9;
    }
    if (unit == u"rad") {
        return 180 / std::numbers::pi;
    }
    if (unit == u"turn") {
        return 360.0;
    }
    return std::nullopt;
}

// A hue takes a number or an angle; any other component a number or a percentage.
std::optional<double> component(const CssToken& token, const FormComponent& rule) {
    const bool hue = rule.kind == ComponentKind::Hue;
    switch (token.kind) {
    case Kind::Number:
        return token.value;
    case Kind::Percentage:
        return hue ? std::nullopt : std::optional(token.value * rule.hundredPercent / 100);
    case Kind::Dimension: {
        const std::optional<double> degrees = hue ? degreesPer(token.name) : std::nullopt;
        return degrees ? std::optional(token.value * *degrees) : std::nullopt;
    }
    case Kind::Keyword:
        return token.name == u"none" ? std::optional(0.0) : std::nullopt;
    default:
        return std::nullopt;
    }
}

// The alpha a token gives, 0 to 1; nothing when it gives none.
std::optional<double> alphaOf(const CssToken& token) {
    const std::optional<double> alpha = component(token, {'a', ComponentKind::Channel, 1, false});
    return alpha && token.kind != Kind::Dimension ? std::optional(std::clamp(*alpha, 0.0, 1.0))
                                                  : std::nullopt;
}

// The comma syntax: three components and an alpha, commas between, no `none`; components
// written with a % (hsl()'s) percentages, the others all alike (rgb()'s: all numbers or all
// percentages).
bool legacyShape(const QList<CssToken>& tokens, const FormRow& row) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const bool comma = tokens[i].kind == Kind::Comma;
        if (comma != (i % 2 == 1) || tokens[i].kind == Kind::Keyword) {
            return false;
        }
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const Kind kind = tokens[qsizetype(i) * 2].kind;
        if (row.components.at(i).percentWritten ? kind != Kind::Percentage
                                                : kind != tokens[0].kind) {
            return false;
        }
    }
    return true;
}

std::optional<CssFunctionText> fromArguments(const FormRow& row, QList<CssToken> tokens) {
    if (row.space != nullptr) { // color(): only sRGB's own space
        if (tokens.isEmpty() || tokens[0].kind != Kind::Keyword ||
            tokens[0].name != QLatin1String(row.space)) {
            return std::nullopt;
        }
        tokens.removeFirst();
    }
    const bool commas = tokens.size() > 1 && tokens[1].kind == Kind::Comma;
    if (commas &&
        !(row.commas && (tokens.size() == 5 || tokens.size() == 7) && legacyShape(tokens, row))) {
        return std::nullopt;
    }
    const qsizetype step = commas ? 2 : 1;
    const qsizetype count = commas ? (tokens.size() + 1) / 2 : tokens.size();
    if (!commas && count != 3 && !(count == 5 && tokens[3].kind == Kind::Slash)) {
        return std::nullopt;
    }
    ColourSpaces::Triple values{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = component(tokens[qsizetype(i) * step], row.components.at(i));
        if (!value) {
            return std::nullopt;
        }
        values.at(i) = *value;
    }
    std::optional<double> alpha = 1.0;
    if (tokens.size() > 3 * step - (commas ? 1 : 0)) {
        alpha = alphaOf(tokens.last());
    }
    return alpha ? std::optional(CssFunctionText{row.form, values, *alpha}) : std::nullopt;
}

// #RGB, #RGBA, #RRGGBB and #RRGGBBAA; $RRGGBB and RRGGBB when `sixOnly`.
std::optional<ReadColour> fromHex(QStringView digits, bool sixOnly) {
    const qsizetype size = digits.size();
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    const bool allHex = ok && std::all_of(digits.begin(), digits.end(),
                                          [](QChar c) { return std::isxdigit(c.toLatin1()) != 0; });
    if (!allHex || (sixOnly ? size != 6 : size != 3 && size != 4 && size != 6 && size != 8)) {
        return std::nullopt;
    }
    const bool shortForm = size <= 4;
    const int bits = shortForm ? 4 : 8;
    const bool alpha = size == 4 || size == 8;
    const uint opaque = (1u << bits) - 1;
    const auto channel = [&](int index) { // counted from the left
        const uint part = (value >> (bits * (size / (shortForm ? 1 : 2) - 1 - index))) & opaque;
        return static_cast<int>(shortForm ? part * 17 : part);
    };
    return ReadColour{Rgb(channel(0), channel(1), channel(2)), alpha && (value & opaque) != opaque};
}

} // namespace

std::optional<ReadColour> readCssColour(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.startsWith(u'#') || trimmed.startsWith(u'$')) {
        return fromHex(trimmed.sliced(1), trimmed.startsWith(u'$'));
    }
    if (trimmed.size() == 6) {
        if (const std::optional<ReadColour> bare = fromHex(trimmed, true)) {
            return bare;
        }
    }
    if (const std::optional<Rgb> named = NamedColours::find(trimmed)) {
        return ReadColour{*named, false};
    }
    const std::optional<CssFunctionText> function = readCssFunction(trimmed);
    return function ? std::optional(ReadColour{cssColour(function->form, function->components),
                                               function->alpha < 1})
                    : std::nullopt;
}

std::optional<CssFunctionText> readCssFunction(QStringView text) {
    const qsizetype open = text.indexOf(u'(');
    if (open < 0 || !text.endsWith(u')')) {
        return std::nullopt;
    }
    const QStringView name = text.first(open);
    const auto forms = colourForms();
    const auto row = std::find_if(forms.begin(), forms.end(), [&](const FormRow& r) {
        return r.hexShape == nullptr &&
               (isCssName(name, QLatin1String(r.name)) ||
                (r.alias != nullptr && isCssName(name, QLatin1String(r.alias))));
    });
    const auto tokens = cssTokens(text.sliced(open + 1, text.size() - open - 2));
    return row != forms.end() && tokens ? fromArguments(*row, *tokens) : std::nullopt;
}
