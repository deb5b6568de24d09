#pragma once
#include <windows.h>

// A control's own copy of a notification that its parent received: the parent offers every
// WM_NOTIFY to the control that sent it first, and acts on it only if the control does not.
constexpr UINT ReflectedNotify = 0xBC00 + WM_NOTIFY;

// A window owned by a C++ object. Every message of the window passes through the virtual
// WindowProc: first to OnWndMsg (where a message map answers), then to the default processing,
// which is the system's or, for a subclassed control, the control's own.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd(); // destroys the window if it still exists
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Registers a window class whose messages reach the owning CWnd, under a name of the
    // framework's making. Returns the name, or null when the system refuses the class.
    static const char* RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);
    // The object that owns a window made or subclassed by the framework, or null.
    static CWnd* FromHandlePermanent(HWND window);

    // Creates the window for a class registered by RegisterWndClass and attaches it to this object.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, void* createParam = nullptr);
    // Routes the messages of an existing window (a dialog's control) through this object.
    BOOL SubclassWindow(HWND window);
    BOOL DestroyWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(char* text, int size) const { return ::GetWindowTextA(m_hWnd, text, size); }

    // A notification from this control, offered back to it by its parent; false when the
    // control's message map does not take it.
    bool OnChildNotify(LPARAM notifyLParam, LRESULT* result)
    {
        return OnWndMsg(ReflectedNotify, 0, notifyLParam, result);
    }

    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Answers a message through the class's message map; false when the map has no entry for it.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC superProc = nullptr; // a subclassed control's own window procedure
};
