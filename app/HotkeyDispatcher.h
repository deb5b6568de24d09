#pragma once
#include <windows.h>

class LockedDesktops;
class Settings;

// Where a hotkey press goes. Every hotkey of the program is registered without a window, so
// WM_HOTKEY reaches no window procedure: the main loop hands each one here, and it is matched by
// key combination against every desktop's hotkey, then the "close all", "next" and "previous"
// hotkeys. Every check that matches acts; none suppresses another.
class HotkeyDispatcher {
public:
    HotkeyDispatcher(LockedDesktops& desktops, const Settings& settings);

    void dispatch(LPARAM hotkeyMessageLParam);

private:
    LockedDesktops& desktops;
    const Settings& settings;
};
