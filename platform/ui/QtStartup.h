#pragma once
// What the environment must give Qt before an application object is made.

// Whether Qt has a platform to show windows on: one named in QT_QPA_PLATFORM, or an X11 or
// Wayland display.
bool HasUsablePlatform();

// Gives the process a private runtime folder (XDG_RUNTIME_DIR, mode 0700) when it has none, so
// that Qt neither warns about it nor falls back on a shared one. Quietly leaves things as they
// are when no such folder can be made.
void EnsureRuntimeDirectory();
