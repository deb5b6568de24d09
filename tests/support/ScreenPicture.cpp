#include "ScreenPicture.h"

#include "res/resource.h"
#include "TestSupport.h"

// The pixels that the drawing leaves in a fresh bitmap, without their alpha byte.
template <typename Draw>
static std::vector<DWORD> capture(int width, int height, Draw draw)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO format = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    for (DWORD& pixel : pixels)
        pixel &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

IconPicture::IconPicture(HICON icon, int size) : size(size)
{
    auto drawnOn = [&](DWORD background) {
        return capture(size, size, [&](HDC dc) {
            PatBlt(dc, 0, 0, size, size, background);
            DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        });
    };
    pixels = drawnOn(BLACKNESS);
    std::vector<DWORD> onWhite = drawnOn(WHITENESS);
    for (size_t i = 0; i < pixels.size(); ++i)
        compared.push_back(pixels[i] == onWhite[i]);
}

std::optional<POINT> onTaskbar(const IconPicture& icon, DWORD timeoutMs)
{
    const int height = 40, size = icon.size; // the bottom of the screen, where the shell's icons are
    int width = GetSystemMetrics(SM_CXSCREEN), top = GetSystemMetrics(SM_CYSCREEN) - height;
    auto matchesAt = [&](const std::vector<DWORD>& taskbar, int x, int y) {
        for (int i = 0; i < size * size; ++i)
            if (icon.compared[i] && taskbar[(y + i / size) * width + x + i % size] != icon.pixels[i])
                return false;
        return true;
    };
    std::optional<POINT> centre;
    waitUntil([&] {
        HDC screen = GetDC(nullptr);
        auto taskbar = capture(width, height, [&](HDC dc) { BitBlt(dc, 0, 0, width, height, screen, 0, top, SRCCOPY); });
        ReleaseDC(nullptr, screen);
        for (int y = 0; y + size <= height && !centre; ++y)
            for (int x = 0; x + size <= width && !centre; ++x)
                if (matchesAt(taskbar, x, y))
                    centre = POINT{x + size / 2, top + y + size / 2};
        return centre.has_value();
    }, timeoutMs);
    return centre;
}

bool rightClickTrayIcon()
{
    std::optional<POINT> icon = onTaskbar(IconPicture(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM))));
    if (!icon)
        return false;
    // Each event carries the icon's position (0 to 65535 across the screen): under Wine a pointer
    // moved by SetCursorPos reaches the display a moment later, and a click sent in between on a
    // loaded machine went where the pointer had been.
    const DWORD buttons[] = {0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
    INPUT click[3] = {};
    for (int n = 0; n < 3; ++n)
        click[n] = {INPUT_MOUSE, {{MulDiv(icon->x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                                   MulDiv(icon->y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0,
                                   MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons[n], 0, 0}}};
    return SendInput(3, click, sizeof(INPUT)) == 3;
}
