#pragma once
#include "HotkeyCode.h"

#include <windows.h>

#include <string>
#include <vector>

// Desktop ids are 16-bit and dense: with n desktops they are exactly 1..n.
using DesktopId = short;

// The longest desktop name; the name buffer holds it and its NUL.
constexpr int DesktopNameLength = 14;

// One window filed on a desktop, with a copy of its title taken when the entry was made. The
// title is only shown in menus and is never refreshed.
struct WindowEntry {
    HWND hwnd;
    std::string title;
    // Read once, when the window is filed: a switch asks by thread, and the journal keeps both.
    DWORD processId = 0;
    DWORD threadId = 0;
};

// A desktop as one locked call hands it out: copies, safe to read after the lock is gone.
struct DesktopSnapshot {
    std::string name;
    std::vector<WindowEntry> windows;
};

// A virtual desktop: nothing but a name, an optional hotkey and the windows filed on it. The list
// of a desktop that is not current runs from the bottom of the Z order to the top, as it was when
// the desktop was left, so its last window is the one activated when the desktop is shown again.
struct Desktop {
    char name[DesktopNameLength + 1] = {};
    HotkeyCode hotkey = 0;
    std::vector<WindowEntry> windows;
};
