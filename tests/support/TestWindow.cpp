#include "TestWindow.h"

static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto onClose = static_cast<TestWindow::OnClose>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_CLOSE && onClose != TestWindow::OnClose::Close)
        return onClose == TestWindow::OnClose::Refuse ? 1 : 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

TestWindow::TestWindow(const std::string& title, OnClose onClose)
{
    static WNDCLASSA windowClass = {0, windowProc, 0, 0, GetModuleHandleA(nullptr), nullptr, LoadCursor(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr, "LumenfoldTestWindow"};
    static ATOM registered = RegisterClassA(&windowClass);
    static int placed = 0;
    int offset = 40 * (placed++ % 8);
    window = CreateWindowExA(0, MAKEINTATOM(registered), title.c_str(), WS_OVERLAPPEDWINDOW, 60 + offset, 60 + offset,
                             320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(onClose)); // read by windowProc
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

bool isAbove(HWND upper, HWND lower)
{
    HWND below = GetWindow(upper, GW_HWNDNEXT);
    while (below != nullptr && below != lower)
        below = GetWindow(below, GW_HWNDNEXT);
    return below != nullptr;
}
