#pragma once

#include <QString>

// `tintor --contrast COLOUR COLOUR`: WCAG's ratio of two colours given as any text a paste
// takes, as "N.NN:1" rounded down, then one line a success criterion.  Needs no display and
// writes no file.  The status: 0; 2 when a colour cannot be read (said on stderr); 1 when
// stdout fails.
int printContrast(const QString& first, const QString& second);
