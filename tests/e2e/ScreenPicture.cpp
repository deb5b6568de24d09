#include "ScreenPicture.h"

Picture::Picture(int width, int height)
    : width(width), height(height), pixels(width * height), compared(width * height, true)
{
}

Picture Picture::ofIcon(HICON icon)
{
    int size = GetSystemMetrics(SM_CXSMICON);
    Picture onBlack(size, size);
    onBlack.capture([&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL); });
    Picture onWhite(size, size);
    onWhite.capture([&](HDC dc) {
        PatBlt(dc, 0, 0, size, size, WHITENESS);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
    for (int i = 0; i < size * size; ++i)
        onBlack.compared[i] = onBlack.pixels[i] == onWhite.pixels[i];
    return onBlack;
}

Picture Picture::ofScreen(const RECT& wanted)
{
    // A window may reach past the edge of the screen (the notice starts at -1, -1).
    RECT screenArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT area;
    IntersectRect(&area, &wanted, &screenArea);
    Picture picture(area.right - area.left, area.bottom - area.top);
    HDC screen = GetDC(nullptr);
    picture.capture(
        [&](HDC dc) { BitBlt(dc, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY); });
    ReleaseDC(nullptr, screen);
    picture.origin = POINT{area.left, area.top};
    return picture;
}

template <typename Draw>
void Picture::capture(Draw draw)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    GdiFlush();
    const DWORD* drawn = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels[i] = drawn[i] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

std::optional<POINT> Picture::find(const Picture& part) const
{
    for (int y = 0; y + part.height <= height; ++y) {
        for (int x = 0; x + part.width <= width; ++x) {
            if (matchesAt(part, x, y))
                return POINT{origin.x + x, origin.y + y};
        }
    }
    return std::nullopt;
}

bool Picture::contains(COLORREF colour) const
{
    // COLORREF is 0x00BBGGRR, the pixels are 0x00RRGGBB.
    DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (DWORD pixel : pixels) {
        if (pixel == wanted)
            return true;
    }
    return false;
}

bool Picture::matchesAt(const Picture& part, int x, int y) const
{
    for (int row = 0; row < part.height; ++row) {
        for (int column = 0; column < part.width; ++column) {
            int partIndex = row * part.width + column;
            if (part.compared[partIndex] && pixels[(y + row) * width + x + column] != part.pixels[partIndex])
                return false;
        }
    }
    return true;
}
