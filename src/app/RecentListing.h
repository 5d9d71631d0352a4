#pragma once

#include "ColourNotation.h"

// `tintor --recent`: the recent colours of the settings file, newest first, one a line in
// `form`; nothing for none.  Stores nothing.  The status: 0, or 1 when stdout fails.
int printRecentColours(ColourForm form);
