#pragma once

// Sizing the transient message window.  Toolkit-free so the rule can be
// checked without a display.

// A font's point size from its pixel height at the layout's 96 pixels per inch, rounded
// to the nearest whole point (12 pixels give 9 points).
int pointSizeFromPixels(int pixelSize);

// The memo's height for `lines` displayed lines in a font of `pointSize` points: one line
// more than shown, each round(points x 1.6) pixels high (9 points: 14 per line).
int messageMemoHeight(int lines, int pointSize);

// The window's height around a memo of `memoHeight`: 18 pixels above it, 32 below.
int messageWindowHeight(int memoHeight);
