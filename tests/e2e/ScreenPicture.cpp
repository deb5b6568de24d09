#include "ScreenPicture.h"

#include "res/resource.h"
#include "tests/support/TestSupport.h"

Picture::Picture(int width, int height, POINT origin)
    : width(width), height(height), origin(origin), pixels(width * height), compared(width * height, true)
{
}

Picture Picture::ofIcon(HICON icon)
{
    int size = GetSystemMetrics(SM_CXSMICON);
    Picture onBlack(size, size), onWhite(size, size);
    onBlack.capture([&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL); });
    onWhite.capture([&](HDC dc) {
        PatBlt(dc, 0, 0, size, size, WHITENESS);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
    for (int i = 0; i < size * size; ++i)
        onBlack.compared[i] = onBlack.pixels[i] == onWhite.pixels[i];
    return onBlack;
}

Picture Picture::ofTaskbar()
{
    const int height = 40;
    int width = GetSystemMetrics(SM_CXSCREEN), top = GetSystemMetrics(SM_CYSCREEN) - height;
    Picture picture(width, height, POINT{0, top});
    HDC screen = GetDC(nullptr);
    picture.capture([&](HDC dc) { BitBlt(dc, 0, 0, width, height, screen, 0, top, SRCCOPY); });
    ReleaseDC(nullptr, screen);
    return picture;
}

template <typename Draw>
void Picture::capture(Draw draw)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO format = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    GdiFlush();
    for (int i = 0; i < width * height; ++i)
        pixels[i] = static_cast<const DWORD*>(bits)[i] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

std::optional<POINT> Picture::find(const Picture& part) const
{
    for (int y = 0; y + part.height <= height; ++y) {
        for (int x = 0; x + part.width <= width; ++x) {
            bool matches = true;
            for (int i = 0; matches && i < part.width * part.height; ++i)
                matches = !part.compared[i] || pixels[(y + i / part.width) * width + x + i % part.width] == part.pixels[i];
            if (matches)
                return POINT{origin.x + x, origin.y + y};
        }
    }
    return std::nullopt;
}

std::optional<POINT> onTaskbar(const Picture& icon, DWORD timeoutMs)
{
    std::optional<POINT> corner;
    if (!waitUntil([&] { return (corner = Picture::ofTaskbar().find(icon)).has_value(); }, timeoutMs))
        return std::nullopt;
    int half = GetSystemMetrics(SM_CXSMICON) / 2;
    return POINT{corner->x + half, corner->y + half};
}

bool rightClickTrayIcon()
{
    HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    std::optional<POINT> icon = onTaskbar(Picture::ofIcon(programIcon));
    if (!icon)
        return false;
    // Under Wine the pointer moves a moment after SetCursorPos: a click before that lands elsewhere.
    SetCursorPos(icon->x, icon->y);
    waitUntil([&] { POINT at; return GetCursorPos(&at) && at.x == icon->x && at.y == icon->y; }, 2000);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    return SendInput(2, click, sizeof(INPUT)) == 2;
}
