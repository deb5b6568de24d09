#pragma once
#include <windows.h>

// A never shown top-level window of the test thread standing in for the program's main window:
// where the model's window walks start (and the one window they leave out), the tray icon's owner.
struct HiddenWindow {
    ~HiddenWindow() { DestroyWindow(window); }
    HWND handle() const { return window; }

    HWND window = CreateWindowExA(0, "STATIC", "LumenfoldAppWin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
};
