#pragma once
#include <windows.h>

#include <optional>
#include <vector>

// Pixels of the screen and of icons drawn the way the shell draws them, for checks of what the
// user sees. Transparent pixels of an icon show what is behind it and are not compared.
class Picture {
public:
    Picture(int width, int height);

    // The icon at the small icon size, the size of the notification area's icons.
    static Picture ofIcon(HICON icon);
    static Picture ofScreen(const RECT& area);

    // Where the other picture appears within this one, in screen coordinates.
    std::optional<POINT> find(const Picture& part) const;
    bool contains(COLORREF colour) const;

private:
    template <typename Draw>
    void capture(Draw draw);
    bool matchesAt(const Picture& part, int x, int y) const;

    int width;
    int height;
    POINT origin = {0, 0};
    std::vector<DWORD> pixels; // 0x00RRGGBB, top row first
    std::vector<bool> compared;
};
