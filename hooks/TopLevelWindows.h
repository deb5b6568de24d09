#pragma once
#include <windows.h>

#include <functional>

// Visits, from the top of the Z order down, every top-level window that a desktop can hold: a
// visible window with a title, other than the program's own main window and the shell's desktop
// ("Program Manager"). The walk starts at the main window's siblings, which are the top-level
// windows, and takes each next window from the visited one, so a visitor may hide it.
void forEachUserWindow(HWND mainWindow, const std::function<void(HWND)>& visitor);
