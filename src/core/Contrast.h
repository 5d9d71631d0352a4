#pragma once

#include "Rgb.h"

#include <QString>

#include <optional>

// WCAG 2.2's contrast between two colours, its success criteria, and the nearest colour
// that meets one of them.
namespace Contrast {

// Relative luminance from the sRGB channels: 0 for black, 1 for white.
double relativeLuminance(Rgb colour);
// (L1 + 0.05) / (L2 + 0.05), the lighter over the darker: from 1 to 21, either order.
double ratio(Rgb first, Rgb second);

// The ratio in hundredths, rounded down: WCAG's thresholds are exact, so a figure shown
// must never round up onto one that the ratio misses (4.499 is 449, not 450).
int hundredths(double ratio);
// "4.49": the ratio with two decimals, rounded down.
QString ratioText(double ratio);

enum class Criterion { AaNormalText, AaLargeText, AaaNormalText, AaaLargeText, Graphics };
inline constexpr Criterion AllCriteria[]{Criterion::AaNormalText, Criterion::AaLargeText,
                                         Criterion::AaaNormalText, Criterion::AaaLargeText,
                                         Criterion::Graphics};

// The least ratio that meets `criterion`: 4.5, 3, 7, 4.5 or 3.
double threshold(Criterion criterion);
bool meets(double ratio, Criterion criterion);
// Its English name, "AA normal text" and so on; translatable in the context "Contrast".
const char* criterionName(Criterion criterion);
// "4.5:1"
QString thresholdText(Criterion criterion);

// The colours nearest `colour` that meet `minimum` against `other`: the colour's OKLCh hue
// and chroma kept, only its lightness moved, lighter and darker, by the least step that
// reaches the ratio (where sRGB cannot show the chroma at that lightness, the most it can
// show).  Nothing in a direction that no lightness makes meet it, and nothing at all where
// `colour` meets it already.
struct Suggestions {
    std::optional<Rgb> lighter;
    std::optional<Rgb> darker;
};
Suggestions nearestMeeting(Rgb colour, Rgb other, double minimum);
// The colours those are chosen from: `colour` at OKLab lightness `lightness` (0 to 1), its
// hue kept and as much of its chroma as sRGB shows there, rounded to eight bits.
Rgb withLightness(Rgb colour, double lightness);

} // namespace Contrast
