#pragma once

#include <QIcon>

// The About button's glyph: a blue "i" in a circle.  The icon's disabled state is the
// second of the two glyph states.
QIcon AboutGlyph();
