#pragma once

// Shared by the notation tests and their benchmark: what a written colour text must be.

#include "ColourNotation.h"
#include "CssFunctions.h"

#include <QRegularExpression>

#include <cmath>

// What is wrong with `colour` written in `form`, or an empty text: it must read back to the
// colour, round to it without clipping, and hold no number that a decimal fewer (or, a hue,
// 0) would still leave rounding to it, the others as written.
inline QString writtenFault(Rgb colour, ColourForm form) {
    const QString text = colourInForm(colour, form);
    if (readColour(text) != colour) {
        return text + QStringLiteral(" reads back as another colour");
    }
    if (formRow(form).hexText != nullptr) {
        return {};
    }
    const std::optional<CssFunctionText> read = readCssFunction(text);
    if (!read || read->form != form || !cssRoundsTo(form, read->components, colour)) {
        return text + QStringLiteral(" is the colour only once clipped");
    }
    const ColourSpaces::Triple exact = cssComponents(form, colour);
    static const QRegularExpression number(QStringLiteral("-?\\d+(?:\\.(\\d+))?"));
    QRegularExpressionMatchIterator numbers = number.globalMatch(text);
    for (std::size_t i = 0; i < 3 && numbers.hasNext(); ++i) {
        const auto decimals = numbers.next().capturedLength(1);
        const bool hue = formRow(form).components.at(i).kind == ComponentKind::Hue;
        for (qsizetype fewer = hue ? -1 : 0; fewer < decimals; ++fewer) {
            const double scale = std::pow(10.0, std::max(fewer, qsizetype(0)));
            ColourSpaces::Triple shorter = read->components;
            shorter.at(i) = fewer < 0 ? 0 : std::round(exact.at(i) * scale) / scale;
            if (shorter.at(i) != read->components.at(i) && cssRoundsTo(form, shorter, colour)) {
                return text + QStringLiteral(": number %1 needs fewer decimals").arg(i + 1);
            }
        }
    }
    return {};
}
