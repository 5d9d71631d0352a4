#pragma once

// Gives every window Tintor's icon (_NET_WM_ICON, which docks and task bars show even
// without a theme) and names the desktop entry.  The entry's StartupWMClass is the class
// Qt gives the windows, the program's file name "tintor".  Call once the application
// object exists.
void applyAppIdentity();
