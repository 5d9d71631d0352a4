#pragma once

#include <QIcon>

// The glyph of the About and author buttons: a red question mark on a yellow disc, 16 x 16,
// with a greyed image for the disabled state.
QIcon aboutGlyph();
