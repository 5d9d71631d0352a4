#pragma once

#include <chrono>

// How often the follower reads the pointer's place and the pixels under it.  Whatever
// reads the screen for it needs no more frames than this gives.
inline constexpr std::chrono::milliseconds followInterval{50};
