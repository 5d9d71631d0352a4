#pragma once

// Gives every window Tintor's icon (_NET_WM_ICON, which docks and task bars show even
// without a theme) and names the desktop entry, whose StartupWMClass matches the class
// that Qt gives the windows ("Tintor").  Call once the application object exists.
void applyAppIdentity();
