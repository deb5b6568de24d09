#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"
#include "app/TrayIcon.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const int IconSize = 32;
const DWORD Black = 0x000000, White = 0xFFFFFF;

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
        ASSERT_NE(digitIcon(digit), nullptr) << digit;
        IconPicture picture(digitIcon(digit), IconSize);
        for (const auto& point : points) {
            bool expectLit = std::string(lit[digit]).find(point.segment) != std::string::npos;
            EXPECT_EQ(picture.at(point.column, point.row), expectLit ? Black : White)
                << "digit " << digit << ", segment " << point.segment;
        }
    }

    for (int number : {1, 10, 42, 99}) {
        HICON icon = composeNumberIcon(paintWindow.handle(), number, messages);
        ASSERT_NE(icon, nullptr) << number;
        IconPicture composed(icon, IconSize), tens(digitIcon(number / 10), IconSize), ones(digitIcon(number % 10), IconSize);
        DestroyIcon(icon);
        int wrong = 0, notOpaqueBlackOrWhite = 0;
        for (int i = 0; i < IconSize * IconSize; ++i) {
            int row = i / IconSize, column = i % IconSize;
            const IconPicture& digit = column < IconSize / 2 ? tens : ones;
            wrong += composed.pixels[i] != digit.at(column % (IconSize / 2), row);
            notOpaqueBlackOrWhite += !composed.compared[i] || (composed.pixels[i] != Black && composed.pixels[i] != White);
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
