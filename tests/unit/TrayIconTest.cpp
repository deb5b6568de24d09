#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"
#include "app/TrayIcon.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"
#include "tests/support/UnexpectedBoxWatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int IconSize = 32;
const DWORD Black = 0x000000, White = 0xFFFFFF;

// Pixels without the alpha byte, top row first; empty when the handle is no icon, or no longer one.
struct IconPixels {
    std::vector<DWORD> color, mask;
    DWORD at(int column, int row) const { return color[row * IconSize + column]; }
};

std::vector<DWORD> readBitmap(HBITMAP bitmap)
{
    std::vector<DWORD> pixels(IconSize * IconSize);
    BITMAPINFO format = {{sizeof(BITMAPINFOHEADER), IconSize, -IconSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, bitmap, 0, IconSize, pixels.data(), &format, DIB_RGB_COLORS) != IconSize)
        pixels.clear();
    ReleaseDC(nullptr, screen);
    for (DWORD& pixel : pixels)
        pixel &= White;
    return pixels;
}

IconPixels readIcon(HICON icon)
{
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return {};
    IconPixels pixels = {readBitmap(info.hbmColor), readBitmap(info.hbmMask)};
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// The live GDI objects. GetGuiResources answers 0 under Wine, so there the GDI handle table is
// counted: the 32-bit PEB (fs:0x30) holds its address at 0x94; of its 65536 entries of 24 bytes
// those in use have a non-zero object type at byte 14.
DWORD gdiObjectCount()
{
    if (DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return reported;
    const BYTE* environment;
    __asm__("movl %%fs:0x30, %0" : "=r"(environment));
    auto table = *reinterpret_cast<const BYTE* const*>(environment + 0x94);
    DWORD inUse = 0;
    for (int entry = 0; table != nullptr && entry < 65536; ++entry)
        inUse += table[entry * 24 + 14] != 0;
    return inUse;
}

class NumberIcons : public ::testing::Test {
protected:
    MessageCatalog messages{"eng"};
    HiddenWindow paintWindow;
};

// The digit icons' resource ids do not follow the digits, so the drawing tells the digit: seven
// segments, each sampled at one point inside it (column, row): a top, b upper right, c lower right,
// d bottom, e lower left, f upper left, g middle.
TEST_F(NumberIcons, EachDigitIconShowsItsDigitAndANumberItsTwoDigitsLeftHalves)
{
    const struct { char segment; int column, row; } points[] = {{'a', 7, 5}, {'b', 12, 9}, {'c', 12, 22}, {'d', 7, 26}, {'e', 3, 22}, {'f', 3, 9}, {'g', 7, 15}};
    const char* const lit[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
    for (int digit = 0; digit <= 9; ++digit) {
        IconPixels pixels = readIcon(digitIcon(digit));
        ASSERT_FALSE(pixels.color.empty()) << "no icon for digit " << digit;
        for (const auto& point : points) {
            bool expectLit = std::string(lit[digit]).find(point.segment) != std::string::npos;
            EXPECT_EQ(pixels.at(point.column, point.row), expectLit ? Black : White)
                << "digit " << digit << ", segment " << point.segment;
        }
    }

    for (int number : {1, 10, 42, 99}) {
        HICON icon = composeNumberIcon(paintWindow.handle(), number, messages);
        IconPixels composed = readIcon(icon), tens = readIcon(digitIcon(number / 10)), ones = readIcon(digitIcon(number % 10));
        DestroyIcon(icon);
        ASSERT_FALSE(composed.color.empty()) << number;
        int wrong = 0, notOpaqueBlackOrWhite = 0;
        for (int i = 0; i < IconSize * IconSize; ++i) {
            int row = i / IconSize, column = i % IconSize;
            const IconPixels& digit = column < IconSize / 2 ? tens : ones;
            wrong += composed.at(column, row) != digit.at(column % (IconSize / 2), row);
            notOpaqueBlackOrWhite += (composed.color[i] != Black && composed.color[i] != White) || composed.mask[i] != Black;
        }
        EXPECT_EQ(wrong, 0) << "pixels of " << number << " that differ from its digits' left halves";
        EXPECT_EQ(notOpaqueBlackOrWhite, 0) << number;
    }
    for (int outside : {-1, 10})
        EXPECT_EQ(digitIcon(outside), nullptr) << outside;
    for (int outside : {100, 101, 32767})
        EXPECT_EQ(composeNumberIcon(paintWindow.handle(), outside, messages), nullptr) << outside;
}

// The tray keeps a copy of what it shows, so each number icon goes once the shell has it. A leak
// of one bitmap or device context per update shows within a few hundred updates.
TEST_F(NumberIcons, UpdatesLeaveNoGdiObjects)
{
    TrayIcon tray(paintWindow.handle(), 3, messages);
    auto updates = [&](int count) {
        const int numbers[] = {7, 42, 0, 99, 10};
        for (int update = 0; update < count; ++update)
            tray.update(numbers[update % 5]);
        return waitUntil([&] { return tray.handedOver(); });
    };
    ASSERT_TRUE(updates(5)); // lets anything made once per process settle
    DWORD before = gdiObjectCount();
    ASSERT_GT(before, 0u) << "no way to count the GDI objects here";
    ASSERT_TRUE(updates(300));
    EXPECT_LE(gdiObjectCount(), before + 5) << "GDI objects before: " << before;
}

} // namespace
