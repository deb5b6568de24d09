#include "TestWindow.h"

namespace {
const char TestWindowClass[] = "LumenfoldTestWindow";

void registerClassOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = TestWindowClass;
    RegisterClassA(&windowClass);
    registered = true;
}
}

TestWindow::TestWindow(const std::string& title, OnClose onClose) : onClose(onClose)
{
    registerClassOnce();
    static int placed = 0;
    int offset = 40 * (placed++ % 8);
    window = CreateWindowExA(0, TestWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 60 + offset, 60 + offset, 320,
                             200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc));
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

TestWindow::~TestWindow()
{
    if (IsWindow(window)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

void TestWindow::markOnAllDesktops()
{
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    AppendMenuA(systemMenu, MF_STRING | MF_CHECKED, 1124, "on all desktops");
}

LRESULT CALLBACK TestWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_CLOSE) {
        ++self->closeRequestCount;
        if (self->onClose == OnClose::Decline)
            return 0;
        if (self->onClose == OnClose::Refuse)
            return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND visibleWindowBelow(HWND window)
{
    for (HWND below = GetWindow(window, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
        if (IsWindowVisible(below))
            return below;
    }
    return nullptr;
}

bool isAbove(HWND upper, HWND lower)
{
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == lower)
            return true;
    }
    return false;
}
