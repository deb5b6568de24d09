#include "TopLevelWindows.h"

#include <cstring>
#include <vector>

namespace {
const char ShellDesktopTitle[] = "Program Manager";
const int TitleLimit = 274;

bool isUserWindow(HWND window, HWND mainWindow, const std::string& title)
{
    return window != mainWindow && !title.empty() &&
           title.compare(0, sizeof ShellDesktopTitle - 1, ShellDesktopTitle) != 0;
}

BOOL CALLBACK noteWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}
}

// The list is taken in one go, and each window is judged as it is reached, so a visitor may hide it.
// Not EnumDesktopWindows, though under Wine it saves the request per window with which EnumWindows
// checks that the window still exists: there its list holds the message-only windows too, and a
// window that a program has hidden from the taskbar under HWND_MESSAGE keeps its visible style.
void forEachUserWindow(HWND mainWindow, const std::function<void(HWND, const std::string& title)>& visitor)
{
    std::vector<HWND> windows;
    EnumWindows(noteWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        // The desktop above a top-level window is always visible, so the window's own style says
        // whether it is (under Wine one request, where IsWindowVisible makes two). The style of a
        // window that has gone since the list was taken reads as 0.
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
            continue;
        std::string title = windowTitle(window);
        if (isUserWindow(window, mainWindow, title))
            visitor(window, title);
    }
}

// The system keeps every title as Unicode; converted back to the ANSI code page, an ANSI program's
// title comes back as the bytes it was given.
std::string windowTitle(HWND window)
{
    WCHAR wide[TitleLimit + 1] = {};
    int length = InternalGetWindowText(window, wide, TitleLimit + 1);
    if (length <= 0)
        return {};
    std::vector<char> text(length * 2 + 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), static_cast<int>(text.size()) - 1, nullptr, nullptr);
    return text.data();
}
