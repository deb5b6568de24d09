#pragma once
#include <windows.h>

#include <string>

// A visible top-level window of the test's own thread, as an application window that desktops
// can hold. How it answers WM_CLOSE is chosen per window.
class TestWindow {
public:
    enum class OnClose {
        Close,   // default processing: the window is destroyed, the answer is 0
        Decline, // stays, answers 0 (as an application whose user cancelled)
        Refuse,  // stays, answers 1
    };

    explicit TestWindow(const std::string& title, OnClose onClose = OnClose::Close);
    ~TestWindow() { DestroyWindow(window); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window; }
    bool visible() const { return IsWindowVisible(window) != FALSE; }

private:
    HWND window = nullptr;
};

bool isAbove(HWND upper, HWND lower); // in the Z order

// A never shown top-level window of the test thread standing in for the program's main window:
// where the model's window walks start (and the one window they leave out), the tray icon's owner.
struct HiddenWindow {
    ~HiddenWindow() { DestroyWindow(window); }
    HWND handle() const { return window; }

    HWND window = CreateWindowExA(0, "STATIC", "LumenfoldAppWin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
};
