#include "CssTokens.h"

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
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

// The number, percentage or dimension at `at`, moving `at` past it.
std::optional<CssToken> numeric(QStringView text, qsizetype& at) {
    const qsizetype end = numberEnd(text, at);
    if (end == at) {
        return std::nullopt;
    }
    bool ok = false;
    CssToken token{CssToken::Kind::Number, text.sliced(at, end - at).toDouble(&ok), {}};
    at = end;
    if (at < text.size() && text[at] == u'%') {
        token.kind = CssToken::Kind::Percentage;
        ++at;
    } else if (const qsizetype unit = nameEnd(text, at); unit > at) {
        token.kind = CssToken::Kind::Dimension;
        token.name = text.sliced(at, unit - at).toString().toLower();
        at = unit;
    }
    return ok ? std::optional(token) : std::nullopt;
}

} // namespace

std::optional<QList<CssToken>> cssTokens(QStringView arguments) {
    QList<CssToken> tokens;
    qsizetype at = 0;
    while (at < arguments.size()) {
        const QChar c = arguments[at];
        if (c.isSpace()) {
            ++at;
        } else if (c == u',' || c == u'/') {
            tokens.append({c == u',' ? CssToken::Kind::Comma : CssToken::Kind::Slash, 0, {}});
            ++at;
        } else if (isLetter(c)) {
            const qsizetype end = nameEnd(arguments, at);
            tokens.append(
                {CssToken::Kind::Keyword, 0, arguments.sliced(at, end - at).toString().toLower()});
            at = end;
        } else if (const std::optional<CssToken> token = numeric(arguments, at)) {
            tokens.append(*token);
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}
