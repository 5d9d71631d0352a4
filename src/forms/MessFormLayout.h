#pragma once

#include "FormLayout.h"

// The transient message window as laid out; its height and the memo's are replaced at
// every showing.  It has no texts of its own: callers pass them already chosen.
const FormLayout::Window& MessageFormLayout();
