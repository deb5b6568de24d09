#include "TopLevelWindows.h"

#include <cstring>
#include <vector>

namespace {
const char ShellDesktopTitle[] = "Program Manager";
const int TitleLimit = 274;

bool isUserWindow(HWND window, HWND mainWindow)
{
    if (window == mainWindow || !IsWindowVisible(window) || !IsWindow(window))
        return false;
    std::string title = windowTitle(window);
    return title.compare(0, sizeof ShellDesktopTitle - 1, ShellDesktopTitle) != 0 && !title.empty();
}
}

void forEachUserWindow(HWND mainWindow, const std::function<void(HWND)>& visitor)
{
    // The first of the main window's siblings, the top-level windows; also when the main window
    // has already gone, as in the exit that follows its destruction.
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (isUserWindow(window, mainWindow))
            visitor(window);
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
