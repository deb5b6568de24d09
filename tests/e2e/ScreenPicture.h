#pragma once
#include <windows.h>

#include <optional>
#include <vector>

// Pixels of the screen, or of an icon drawn as the shell draws it, for checks of what the user
// sees. An icon's transparent pixels show what is behind it and are not compared.
class Picture {
public:
    static Picture ofIcon(HICON icon); // at the small icon size of the notification area
    static Picture ofTaskbar(); // the bottom 40 pixels of the screen, where the shell's icons are

    std::optional<POINT> find(const Picture& part) const; // in screen coordinates

private:
    Picture(int width, int height, POINT origin = {0, 0});
    template <typename Draw>
    void capture(Draw draw);

    int width, height;
    POINT origin;
    std::vector<DWORD> pixels; // 0x00RRGGBB, top row first
    std::vector<bool> compared;
};

// The centre of the icon where the shell shows it in the taskbar, looked for until the time limit.
std::optional<POINT> onTaskbar(const Picture& icon, DWORD timeoutMs = 10000);
bool rightClickTrayIcon(); // on the program's own icon, as a user opens the tray menu
