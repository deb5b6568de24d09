#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Visits, from the top of the Z order down, every top-level window that a desktop can hold: a
// visible window with a title, other than the program's own main window and the shell's desktop
// ("Program Manager"). A visitor may hide the window it is given.
void forEachUserWindow(HWND mainWindow, const std::function<void(HWND, const std::string& title)>& visitor);

// A window's title, read without sending the window a message. GetWindowTextA asks a window of
// another thread of this process by message, and that thread may be waiting for a lock that the
// caller holds: the watcher and the user-interface thread would wait for each other for ever.
std::string windowTitle(HWND window);
