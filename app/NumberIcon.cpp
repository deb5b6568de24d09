#include "NumberIcon.h"

#include "MessageCatalog.h"
#include "res/resource.h"

#include <cstring>
#include <vector>

namespace {
const int IconSize = 32;
const int HalfWidth = IconSize / 2;

// The pixels of an icon's colour bitmap, 32 bits each, bottom row first.
using Pixels = std::vector<DWORD>;

HICON loadResourceIcon(int id)
{
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

// The colour and mask bitmaps that GetIconInfo hands out are copies that belong to the caller.
struct IconBitmaps {
    ICONINFO info = {};
    bool read = false;

    explicit IconBitmaps(HICON icon) { read = icon != nullptr && GetIconInfo(icon, &info); }
    ~IconBitmaps()
    {
        if (info.hbmColor != nullptr)
            DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr)
            DeleteObject(info.hbmMask);
    }
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
};

BITMAPINFO describePixels()
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = IconSize;
    format.bmiHeader.biHeight = IconSize;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

Pixels readPixels(HDC dc, HBITMAP bitmap)
{
    Pixels pixels(IconSize * IconSize);
    BITMAPINFO format = describePixels();
    GetDIBits(dc, bitmap, 0, IconSize, pixels.data(), &format, DIB_RGB_COLORS);
    return pixels;
}

void writePixels(HDC dc, HBITMAP bitmap, const Pixels& pixels)
{
    BITMAPINFO format = describePixels();
    SetDIBits(dc, bitmap, 0, IconSize, pixels.data(), &format, DIB_RGB_COLORS);
}

// Each digit is drawn in the left half of its icon.
void copyLeftHalf(const Pixels& from, Pixels& to, int toColumn)
{
    for (int row = 0; row < IconSize; ++row)
        std::memcpy(&to[row * IconSize + toColumn], &from[row * IconSize], HalfWidth * sizeof(DWORD));
}
}

HICON digitIcon(int digit)
{
    static const int digitIds[10] = {IDI_DIGIT_0, IDI_DIGIT_1, IDI_DIGIT_2, IDI_DIGIT_3, IDI_DIGIT_4,
                                     IDI_DIGIT_5, IDI_DIGIT_6, IDI_DIGIT_7, IDI_DIGIT_8, IDI_DIGIT_9};
    if (digit < 0 || digit > 9)
        return nullptr;
    return loadResourceIcon(digitIds[digit]);
}

HICON composeNumberIcon(HWND paintWindow, int number, const MessageCatalog& messages)
{
    if (number < 0 || number >= 100)
        return nullptr;

    // The paint device context serves only the bitmap conversions.
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(paintWindow, &paint);

    IconBitmaps canvas(loadResourceIcon(IDI_CANVAS));
    IconBitmaps tens(digitIcon(number / 10));
    IconBitmaps ones(digitIcon(number % 10));
    if (!canvas.read || !tens.read || !ones.read) {
        EndPaint(paintWindow, &paint);
        messages.fatalError(MsgCantGetIconInformation);
    }

    Pixels composed = readPixels(dc, canvas.info.hbmColor);
    copyLeftHalf(readPixels(dc, ones.info.hbmColor), composed, HalfWidth);
    copyLeftHalf(readPixels(dc, tens.info.hbmColor), composed, 0);
    writePixels(dc, canvas.info.hbmColor, composed);

    // The canvas's mask is fully opaque; the new icon takes it with the changed colour bitmap.
    HICON icon = CreateIconIndirect(&canvas.info);
    EndPaint(paintWindow, &paint);
    return icon;
}
