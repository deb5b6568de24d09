#pragma once
#include <windows.h>

#include <optional>
#include <vector>

// An icon as drawn at that size, by default as the shell draws it in the notification area. Its
// transparent (or not wholly opaque) pixels show what is behind it and are not compared.
struct IconPicture {
    explicit IconPicture(HICON icon, int size = GetSystemMetrics(SM_CXSMICON));
    DWORD at(int column, int row) const { return pixels[row * size + column]; }
    int size;
    std::vector<DWORD> pixels; // 0x00RRGGBB, top row first
    std::vector<bool> compared;
};

// The centre of the icon where the shell shows it in the taskbar, looked for until the time limit.
std::optional<POINT> onTaskbar(const IconPicture& icon, DWORD timeoutMs = 10000);
bool rightClickTrayIcon(); // on the program's own icon, as a user opens the tray menu
