#pragma once
#include <windows.h>

// The two items that the program adds to the end of every window's system menu.
constexpr UINT OnAllDesktopsCmd = 1124; // "on all desktops", checked while the window is on all
constexpr UINT SendToCmdBase = 1824;    // "send to" desktop n has the command SendToCmdBase + n

// A window is on all desktops exactly when its system menu carries our item with a check mark and
// no other state. The mark lives nowhere else: a switch never files or hides such a window.
bool isOnAllDesktops(HWND window);
