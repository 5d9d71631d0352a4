#include "CssTokens.h"

#include <clocale>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
}

// CSS needs white space, a comma or a slash between two components.
bool separated(QStringView text, qsizetype at) {
    return at == text.size() || text[at].isSpace() || text[at] == u',' || text[at] == u'/';
}

qsizetype skipDigits(QStringView text, qsizetype at) {
    while (at < text.size() && isDigit(text[at])) {
        ++at;
    }
    return at;
}

// Where a CSS number that starts at `at` ends: a sign, digits with or without a fraction,
// an exponent.  `at` itself when there is none.
qsizetype numberEnd(QStringView text, qsizetype at) {
    const qsizetype digitsAt =
        at < text.size() && (text[at] == u'+' || text[at] == u'-') ? at + 1 : at;
    qsizetype end = skipDigits(text, digitsAt);
    if (end + 1 < text.size() && text[end] == u'.' && isDigit(text[end + 1])) {
        end = skipDigits(text, end + 1);
    }
    if (end == digitsAt) {
        return at; // no digits at all
    }
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-')) {
            ++exponent;
        }
        if (exponent < text.size() && isDigit(text[exponent])) {
            end = skipDigits(text, exponent);
        }
    }
    return end;
}

qsizetype nameEnd(QStringView text, qsizetype at) {
    while (at < text.size() && isLetter(text[at])) {
        ++at;
    }
    return at;
}

// A number whose syntax is checked.  An overflow is an infinity, which CSS clamps, and an
// underflow 0.  Not QString::toDouble(), which takes a tenth of a second over a number of a
// million digits; in the C locale, whatever the user's decimal point is.
double decimal(QStringView number) {
    static const std::unique_ptr<std::remove_pointer_t<locale_t>, decltype(&freelocale)> C(
        newlocale(LC_ALL_MASK, "C", locale_t{}), &freelocale);
    return strtod_l(number.toLatin1().constData(), nullptr, C.get());
}

// The number, percentage or dimension at `at`, moving `at` past it.
std::optional<CssToken> numeric(QStringView text, qsizetype& at) {
    const qsizetype end = numberEnd(text, at);
    if (end == at) {
        return std::nullopt;
    }
    CssToken token{CssToken::Kind::Number, decimal(text.sliced(at, end - at)), {}};
    at = end;
    if (at < text.size() && text[at] == u'%') {
        token.kind = CssToken::Kind::Percentage;
        ++at;
    } else if (const qsizetype unit = nameEnd(text, at); unit > at) {
        token.kind = CssToken::Kind::Dimension;
        token.name = text.sliced(at, unit - at).toString().toLower();
        at = unit;
    }
    return token;
}

} // namespace

std::optional<QList<CssToken>> cssTokens(QStringView arguments) {
    QList<CssToken> tokens;
    qsizetype at = 0;
    // A long text that cannot be a colour is given up at once, not tokenised to its end.
    while (at < arguments.size() && tokens.size() <= MostCssTokens) {
        const QChar c = arguments[at];
        if (c.isSpace()) {
            ++at;
            continue;
        }
        if (c == u',' || c == u'/') {
            tokens.append({c == u',' ? CssToken::Kind::Comma : CssToken::Kind::Slash, 0, {}});
            ++at;
            continue;
        }
        if (isLetter(c)) {
            const qsizetype end = nameEnd(arguments, at);
            tokens.append(
                {CssToken::Kind::Keyword, 0, arguments.sliced(at, end - at).toString().toLower()});
            at = end;
        } else if (const std::optional<CssToken> token = numeric(arguments, at)) {
            tokens.append(*token);
        } else {
            return std::nullopt;
        }
        if (!separated(arguments, at)) {
            return std::nullopt;
        }
    }
    return tokens.size() <= MostCssTokens ? std::optional(tokens) : std::nullopt;
}

bool isCssName(QStringView text, QLatin1String name) {
    if (text.size() != name.size()) {
        return false;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (asciiLower(text[i].unicode()) != asciiLower(char16_t(uchar(name[i].toLatin1())))) {
            return false;
        }
    }
    return true;
}
