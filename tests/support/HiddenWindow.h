#pragma once
#include <windows.h>

// A top-level window of the test thread that is never shown, standing in for the program's main
// window: the start of the model's window walks (and the one window they leave out), the owner
// of the tray icon and the window whose device context the number icon is composed with.
class HiddenWindow {
public:
    HiddenWindow()
        : window(CreateWindowExA(0, "STATIC", "LumenfoldAppWin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~HiddenWindow()
    {
        if (IsWindow(window))
            DestroyWindow(window);
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    HWND handle() const { return window; }

private:
    HWND window;
};
