#include "TopLevelWindows.h"

#include <cstring>

namespace {
const char ShellDesktopTitle[] = "Program Manager";

bool isUserWindow(HWND window, HWND mainWindow)
{
    char title[275] = {};
    GetWindowTextA(window, title, sizeof title);
    return window != mainWindow && IsWindowVisible(window) && IsWindow(window) &&
           std::strncmp(title, ShellDesktopTitle, sizeof ShellDesktopTitle - 1) != 0 && title[0] != '\0';
}
}

void forEachUserWindow(HWND mainWindow, const std::function<void(HWND)>& visitor)
{
    for (HWND window = GetWindow(mainWindow, GW_HWNDFIRST); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (isUserWindow(window, mainWindow))
            visitor(window);
    }
}
