#include "CWnd.h"

#include <cstdio>

namespace {
// The window being created on this thread: its first messages (WM_GETMINMAXINFO, WM_NCCREATE, ...)
// arrive before CreateWindowEx has returned the handle, and they must already reach the object.
thread_local CWnd* windowBeingCreated = nullptr;

void attach(HWND window, CWnd* owner)
{
    owner->m_hWnd = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}
}

CWnd::~CWnd()
{
    DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    return reinterpret_cast<CWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

const char* CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static int registered = 0;
    static char name[64];
    std::snprintf(name, sizeof name, "Fw:%p:%d", static_cast<void*>(GetModuleHandleA(nullptr)), ++registered);

    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = routeMessage;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0 ? name : nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, void* createParam)
{
    windowBeingCreated = this;
    HWND window = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                                  GetModuleHandleA(nullptr), createParam);
    windowBeingCreated = nullptr;
    return window != nullptr;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (window == nullptr)
        return FALSE;
    attach(window, this);
    superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(routeMessage)));
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr || !IsWindow(m_hWnd))
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return Default(message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (superProc != nullptr)
        return CallWindowProcA(superProc, m_hWnd, message, wParam, lParam);
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* owner = FromHandlePermanent(window);
    if (owner == nullptr && windowBeingCreated != nullptr) {
        owner = windowBeingCreated;
        attach(window, owner);
    }
    if (owner == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);

    LRESULT result = owner->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        owner->m_hWnd = nullptr;
        owner->superProc = nullptr;
    }
    return result;
}
