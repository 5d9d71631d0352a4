#pragma once

class QWidget;

// Designer's font property has no pixel size, and the windows' fonts are laid out in
// pixels: a widget in a .ui file carries its height as the dynamic property "pixelSize".
// Applies it to `root` and every widget below it.
void applyPixelFonts(QWidget* root);
