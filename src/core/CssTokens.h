#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// One item of a CSS colour function's arguments.
struct CssToken {
    enum class Kind { Number, Percentage, Dimension, Keyword, Comma, Slash };
    Kind kind;
    double value = 0; // a number, a percentage's number, a dimension's number
    QString name;     // a dimension's unit or a keyword, in lower case
};

// The most tokens any colour function takes: three components and an alpha with commas.
constexpr qsizetype MostCssTokens = 7;

// The arguments between a function's parentheses as CSS's tokens, white space dropped.
// Nothing for a text with anything else in it, with two tokens glued together (`none2`,
// `120deg5%`), or with more than MostCssTokens.
std::optional<QList<CssToken>> cssTokens(QStringView arguments);

// Whether `text` is `name` in ASCII's case only, as CSS compares names: no Unicode folding,
// so U+017F is no `s` and the Kelvin sign no `k`.
bool isCssName(QStringView text, QLatin1String name);
