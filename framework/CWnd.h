#pragma once
#include <windows.h>

// A window owned by a C++ object. Every message of the window passes through the virtual
// WindowProc, which falls through to the system's default processing unless a derived class
// handles the message.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd(); // destroys the window if it still exists
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Registers a window class whose messages reach the owning CWnd, under a name of the
    // framework's making. Returns the name, or null when the system refuses the class.
    static const char* RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

    // Creates the window for a class registered by RegisterWndClass and attaches it to this object.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menu, void* createParam = nullptr);
    BOOL DestroyWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }

    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
