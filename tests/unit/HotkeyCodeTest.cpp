#include "desktops/HotkeyCode.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

// The control's modifier bits are not the system's; the Windows key has none there, and the
// arrows are shown as themselves, not as the numeric pad's keys. A message carries the key in its
// high half.
TEST(HotkeyCode, TheControlsValueConvertsBothWaysButForTheWindowsKeyAndMatchesItsMessage)
{
    for (int modifiers = 0; modifiers < 16; ++modifiers)
        EXPECT_EQ(hotkeyFromControl(hotkeyToControl(packHotkey(modifiers, VK_F7))), packHotkey(modifiers & ~MOD_WIN, VK_F7))
            << "modifiers " << modifiers;
    HotkeyCode code = hotkeyFromControl(MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_EQ(code, packHotkey(MOD_CONTROL | MOD_ALT, VK_F5));
    EXPECT_EQ(hotkeyFromControl(MAKEWORD('A', HOTKEYF_SHIFT | HOTKEYF_EXT)), packHotkey(MOD_SHIFT, 'A'));
    EXPECT_EQ(hotkeyToControl(packHotkey(MOD_ALT, VK_RIGHT)), MAKEWORD(VK_RIGHT, HOTKEYF_ALT | HOTKEYF_EXT));

    EXPECT_TRUE(hotkeyMatches(code, (116 << 16) | 3));
    EXPECT_FALSE(hotkeyMatches(code, (3 << 16) | 116));
    EXPECT_FALSE(hotkeyMatches(code, (116 << 16) | 1));
    EXPECT_FALSE(hotkeyMatches(0, (VK_F1 << 16) | MOD_ALT)) << "no hotkey matches no message";
}

// The texts written are the options' tests' concern; here what reading makes of any text.
TEST(HotkeyCode, RegistryTextIsReadAsTwoNumbersWithinItsLength)
{
    const struct { std::string text; HotkeyCode code; } parsed[] = {
        {"1 112\n", packHotkey(1, 112)}, {"1 37", packHotkey(1, 37)}, {"0 0\n", 0},
        {"6 65 trailing words", packHotkey(6, 65)}, {"", 0}, {"1", 0}, {"Alt F1", 0}, {"1 x", 0},
        {"1 " + std::string(274, '7'), 0}};
    for (const auto& each : parsed)
        EXPECT_EQ(parseHotkeyText(each.text.c_str(), static_cast<DWORD>(each.text.size())), each.code) << each.text;

    const char data[] = {'1', ' ', '1', '1', '2', '9', '9'}; // "1 11", then digits past the data
    EXPECT_EQ(parseHotkeyText(data, 4), packHotkey(1, 11));
}

} // namespace
