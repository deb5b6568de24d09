#include "TestWindow.h"

TestWindow::TestWindow(const std::string& title, OnClose onClose) : onClose(onClose)
{
    static WNDCLASSA windowClass = {0, windowProc, 0, 0, GetModuleHandleA(nullptr), nullptr, LoadCursor(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr, "LumenfoldTestWindow"};
    static ATOM registered = RegisterClassA(&windowClass);
    static int placed = 0;
    int offset = 40 * (placed++ % 8);
    window = CreateWindowExA(0, MAKEINTATOM(registered), title.c_str(), WS_OVERLAPPEDWINDOW, 60 + offset, 60 + offset,
                             320, 200, nullptr, nullptr, windowClass.hInstance, this);
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

LRESULT CALLBACK TestWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_CLOSE && self->onClose != OnClose::Close)
        return self->onClose == OnClose::Refuse ? 1 : 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

bool isAbove(HWND upper, HWND lower)
{
    HWND below = GetWindow(upper, GW_HWNDNEXT);
    while (below != nullptr && below != lower)
        below = GetWindow(below, GW_HWNDNEXT);
    return below != nullptr;
}
