#pragma once

#include "Sampling.h"

#include <QString>

// The sampling method as pick mode names it in the window title.
QString methodName(SamplingMethod method);
