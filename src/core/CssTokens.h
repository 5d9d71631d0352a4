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

// The arguments between a function's parentheses as CSS's tokens, white space dropped.
// Nothing for a text with anything else in it.
std::optional<QList<CssToken>> cssTokens(QStringView arguments);
