#include "ScreenPicture.h"

Picture::Picture(int width, int height, POINT origin)
    : width(width), height(height), origin(origin), pixels(width * height), compared(width * height, true)
{
}

Picture Picture::ofIcon(HICON icon)
{
    int size = GetSystemMetrics(SM_CXSMICON);
    Picture onBlack(size, size);
    Picture onWhite(size, size);
    onBlack.capture([&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL); });
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
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT area;
    IntersectRect(&area, &wanted, &screen);
    Picture picture(area.right - area.left, area.bottom - area.top, POINT{area.left, area.top});
    HDC screenDc = GetDC(nullptr);
    picture.capture(
        [&](HDC dc) { BitBlt(dc, 0, 0, picture.width, picture.height, screenDc, area.left, area.top, SRCCOPY); });
    ReleaseDC(nullptr, screenDc);
    return picture;
}

Picture Picture::ofTaskbar()
{
    int height = GetSystemMetrics(SM_CYSCREEN);
    return ofScreen({0, height - 40, GetSystemMetrics(SM_CXSCREEN), height});
}

template <typename Draw>
void Picture::capture(Draw draw)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
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
            for (int row = 0; matches && row < part.height; ++row) {
                for (int column = 0; matches && column < part.width; ++column) {
                    int i = row * part.width + column;
                    matches = !part.compared[i] || pixels[(y + row) * width + x + column] == part.pixels[i];
                }
            }
            if (matches)
                return POINT{origin.x + x, origin.y + y};
        }
    }
    return std::nullopt;
}
