#include "desktops/HotkeyCode.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(HotkeyCode, ControlValueOfCtrlAltF5BecomesRegisterableCodeThatMatchesItsMessage)
{
    WORD control = MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_ALT);
    HotkeyCode code = hotkeyFromControl(control);
    EXPECT_EQ(code, (3u << 16) | 116u);
    EXPECT_EQ(hotkeyModifiers(code), 3u);
    EXPECT_EQ(hotkeyVirtualKey(code), 116u);
    EXPECT_TRUE(hotkeyMatches(code, (116 << 16) | 3));
    EXPECT_FALSE(hotkeyMatches(code, (3 << 16) | 116)) << "the message carries the halves the other way round";
    EXPECT_FALSE(hotkeyMatches(code, (116 << 16) | 1));
}

TEST(HotkeyCode, RoundTripThroughTheControlKeepsEverythingButTheWindowsKey)
{
    for (int modifiers = 0; modifiers < 16; ++modifiers) {
        HotkeyCode code = packHotkey(modifiers, VK_F7);
        HotkeyCode back = hotkeyFromControl(hotkeyToControl(code));
        EXPECT_EQ(back, packHotkey(modifiers & ~MOD_WIN, VK_F7)) << "modifiers " << modifiers;
    }
    EXPECT_EQ(hotkeyFromControl(MAKEWORD('A', HOTKEYF_SHIFT | HOTKEYF_EXT)), packHotkey(MOD_SHIFT, 'A'));
}

TEST(HotkeyCode, NoHotkeyMatchesNoMessage)
{
    EXPECT_FALSE(hotkeyMatches(0, (VK_F1 << 16) | MOD_ALT));
}

TEST(HotkeyCode, RegistryTextHasTheStoredShapes)
{
    EXPECT_EQ(hotkeyText(packHotkey(1, 112), true), "1 112\n");
    EXPECT_EQ(hotkeyText(packHotkey(1, 37), false), "1 37");
    EXPECT_EQ(hotkeyText(0, true), "0 0\n");
}

TEST(HotkeyCode, ParsingReadsTwoNumbersAndNothingElse)
{
    auto parse = [](const char* text) { return parseHotkeyText(text, static_cast<DWORD>(std::strlen(text))); };
    EXPECT_EQ(parse("1 112\n"), packHotkey(1, 112));
    EXPECT_EQ(parse("1 37"), packHotkey(1, 37));
    EXPECT_EQ(parse("0 0\n"), 0u);
    EXPECT_EQ(parse("6 65 trailing words"), packHotkey(6, 65));
    EXPECT_EQ(parse(""), 0u);
    EXPECT_EQ(parse("1"), 0u);
    EXPECT_EQ(parse("Alt F1"), 0u);
    EXPECT_EQ(parse("1 x"), 0u);
}

TEST(HotkeyCode, ParsingNeverReadsPastTheData)
{
    // "1 11" followed by more digits that are not part of the data.
    const char data[] = {'1', ' ', '1', '1', '2', '9', '9'};
    EXPECT_EQ(parseHotkeyText(data, 4), packHotkey(1, 11));

    std::string tooLong(276, '7');
    tooLong[0] = '1';
    tooLong[1] = ' ';
    EXPECT_EQ(parseHotkeyText(tooLong.c_str(), static_cast<DWORD>(tooLong.size())), 0u);
}

} // namespace
