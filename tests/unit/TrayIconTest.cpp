#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"
#include "app/TrayIcon.h"
#include "tests/support/HiddenWindow.h"
#include "tests/support/UnexpectedBoxWatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int IconSize = 32;
const int HalfWidth = 16;
const DWORD Black = 0x000000;
const DWORD White = 0xFFFFFF;

// An icon's colour and mask bitmaps as 32-bit pixels, bottom row first; empty when the handle is
// no icon.
struct IconPixels {
    std::vector<DWORD> color;
    std::vector<DWORD> mask;

    // The colour without the alpha byte, at a column and a row counted from the top.
    DWORD rgb(int column, int row) const { return color[(IconSize - 1 - row) * IconSize + column] & White; }
};

std::vector<DWORD> readBitmap(HBITMAP bitmap)
{
    std::vector<DWORD> pixels(IconSize * IconSize);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = IconSize;
    format.bmiHeader.biHeight = IconSize;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, IconSize, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != IconSize)
        pixels.clear();
    return pixels;
}

IconPixels readIcon(HICON icon)
{
    IconPixels pixels;
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return pixels;
    pixels.color = readBitmap(info.hbmColor);
    pixels.mask = readBitmap(info.hbmMask);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// False for a handle that no longer names an icon; the bitmaps of a live one are let go again.
bool isIcon(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

// The resource ids of the digit icons do not follow the digits, so which icon shows which digit
// is checked from the drawing itself: the digits are seven-segment glyphs, and each segment is
// sampled at one point inside it (column, row from the top): a top, b upper right, c lower right,
// d bottom, e lower left, f upper left, g middle.
struct SegmentPoint {
    char segment;
    int column;
    int row;
};
const SegmentPoint SegmentPoints[] = {
    {'a', 7, 5}, {'b', 12, 9}, {'c', 12, 22}, {'d', 7, 26}, {'e', 3, 22}, {'f', 3, 9}, {'g', 7, 15},
};
const char* const LitSegments[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};

// The 32-bit process environment block, whose address the thread block holds at fs:0x30.
const BYTE* processEnvironmentBlock()
{
    const BYTE* block;
    __asm__("movl %%fs:0x30, %0" : "=r"(block));
    return block;
}

// The live GDI objects of this process. GetGuiResources answers 0 under Wine, so there the
// process's GDI handle table is counted instead: the PEB holds its address at 0x94, and of its
// 65536 entries of 24 bytes those in use have a non-zero object type at byte 14. On Windows
// GetGuiResources gives the count itself.
DWORD gdiObjectCount()
{
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return reported;
    auto table = *reinterpret_cast<const BYTE* const*>(processEnvironmentBlock() + 0x94);
    if (table == nullptr)
        return 0;
    DWORD inUse = 0;
    for (int entry = 0; entry < 65536; ++entry) {
        if (table[entry * 24 + 14] != 0)
            ++inUse;
    }
    return inUse;
}

class NumberIcons : public ::testing::Test {
protected:
    char language[4] = "eng";
    MessageCatalog messages{language};
    HiddenWindow paintWindow;
};

using TrayIconUpdates = NumberIcons;

TEST_F(NumberIcons, EachDigitIconShowsItsOwnDigitInItsLeftHalf)
{
    for (int digit = 0; digit <= 9; ++digit) {
        IconPixels pixels = readIcon(digitIcon(digit));
        ASSERT_FALSE(pixels.color.empty()) << "no icon for digit " << digit;
        std::string lit = LitSegments[digit];
        for (const SegmentPoint& point : SegmentPoints) {
            bool expectLit = lit.find(point.segment) != std::string::npos;
            EXPECT_EQ(pixels.rgb(point.column, point.row), expectLit ? Black : White)
                << "digit " << digit << ", segment " << point.segment;
        }
    }
    EXPECT_EQ(digitIcon(-1), nullptr);
    EXPECT_EQ(digitIcon(10), nullptr);
}

TEST_F(NumberIcons, ANumberIsItsTensDigitBesideItsOnesDigitInBlackAndWhite)
{
    for (int number : {1, 10, 42, 99}) {
        HICON icon = composeNumberIcon(paintWindow.handle(), number, messages);
        ASSERT_NE(icon, nullptr) << number;
        IconPixels composed = readIcon(icon);
        IconPixels tens = readIcon(digitIcon(number / 10));
        IconPixels ones = readIcon(digitIcon(number % 10));
        DestroyIcon(icon);
        ASSERT_FALSE(composed.color.empty() || tens.color.empty() || ones.color.empty()) << number;

        int wrong = 0;
        for (int row = 0; row < IconSize; ++row) {
            for (int column = 0; column < HalfWidth; ++column) {
                wrong += composed.rgb(column, row) != tens.rgb(column, row);
                wrong += composed.rgb(HalfWidth + column, row) != ones.rgb(column, row);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels of " << number << " that differ from its digits' left halves";

        int neither = 0;
        int opaque = 0;
        for (int pixel = 0; pixel < IconSize * IconSize; ++pixel) {
            DWORD rgb = composed.color[pixel] & White;
            neither += rgb != Black && rgb != White;
            opaque += (composed.mask[pixel] & White) == Black;
        }
        EXPECT_EQ(neither, 0) << "pixels of " << number << " that are neither black nor white";
        EXPECT_EQ(opaque, IconSize * IconSize) << "the icon of " << number << " is not fully opaque";
    }
}

TEST_F(NumberIcons, NoIconForAHundredAndMore)
{
    for (int number : {100, 101, 250, 32767})
        EXPECT_EQ(composeNumberIcon(paintWindow.handle(), number, messages), nullptr) << number;
}

TEST_F(TrayIconUpdates, TheRecordIsTheShellsFirstFormWithOurCallbackAndTip)
{
    TrayIcon tray(paintWindow.handle(), 0, messages);
    EXPECT_EQ(tray.record.cbSize, 88u) << "the 88-byte form is the one every shell accepts";
    EXPECT_EQ(tray.record.hWnd, paintWindow.handle());
    EXPECT_EQ(tray.record.uID, 0u);
    EXPECT_EQ(tray.record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(tray.record.uCallbackMessage, 1124u);
    EXPECT_STREQ(tray.record.szTip, "Lumenfold");
}

TEST_F(TrayIconUpdates, NumberZeroShowsTheProgramIconAndLetsTheNumberIconGo)
{
    TrayIcon tray(paintWindow.handle(), 7, messages);
    HICON numberIcon = tray.record.hIcon;
    ASSERT_TRUE(isIcon(numberIcon));

    tray.update(0);
    EXPECT_EQ(tray.record.hIcon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128)));
    EXPECT_FALSE(isIcon(numberIcon)) << "the number icon outlived its successor";
}

TEST_F(TrayIconUpdates, EachNumberIconIsDestroyedOnceItsSuccessorIsShown)
{
    TrayIcon tray(paintWindow.handle(), 3, messages);
    HICON three = tray.record.hIcon;

    tray.update(4);
    HICON four = tray.record.hIcon;
    EXPECT_NE(four, three);
    EXPECT_TRUE(isIcon(four)) << "the icon shown now was destroyed";
    EXPECT_FALSE(isIcon(three));

    tray.update(4);
    EXPECT_TRUE(isIcon(tray.record.hIcon));
    EXPECT_FALSE(isIcon(four)) << "showing the same number again leaked the earlier icon";
}

TEST_F(TrayIconUpdates, ManyUpdatesDoNotGrowTheGdiObjectCount)
{
    const int numbers[] = {7, 42, 0, 99, 10};
    TrayIcon tray(paintWindow.handle(), 1, messages);
    // A first round lets anything allocated once per process (stock objects, caches) settle.
    for (int number : numbers)
        tray.update(number);
    DWORD before = gdiObjectCount();
    ASSERT_GT(before, 0u) << "no way to count the GDI objects here";

    for (int update = 0; update < 10000; ++update)
        tray.update(numbers[update % 5]);

    DWORD after = gdiObjectCount();
    EXPECT_LE(after, before + 5) << "GDI objects before " << before << ", after " << after;
}

} // namespace
