#include "app/MessageCatalog.h"
#include "tests/support/RussianTexts.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UnexpectedBoxWatch.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using registry::OptionsKey;

const HotkeyCode CtrlShiftK = packHotkey(MOD_CONTROL | MOD_SHIFT, 'K');
const HotkeyCode AltShiftJ = packHotkey(MOD_ALT | MOD_SHIFT, 'J');

// A text of exactly the given length: the beginning, then spaces.
std::string padded(const std::string& beginning, size_t length)
{
    return beginning + std::string(length - beginning.size(), ' ');
}

// True when this thread has a hotkey under the id; it is gone afterwards.
bool takeBackHotkey(int id)
{
    return UnregisterHotKey(nullptr, id) != FALSE;
}

struct FreshRegistry {
    FreshRegistry() { registry::resetProgramKeys(); }
};

// The options as a first run leaves them; each test then stores what it reads, or sets what it
// saves.
class Options : public ::testing::Test {
protected:
    void writeText(const char* name, const std::string& text) { registry::write(OptionsKey, name, REG_SZ, text); }

    FreshRegistry freshRegistry; // before the settings, which write their defaults when built
    char language[4] = "eng";
    MessageCatalog messages{language};
    Settings settings{messages};
};

using LoadingOptions = Options;
using SavingOptions = Options;

// The registry is read through a 275-byte buffer: a longer value does not fit and is no hotkey,
// even when it begins like one.
TEST_F(LoadingOptions, MalformedOrOverlongHotkeysReadAsNoneAndRegisterNothing)
{
    writeText("NextDesk", padded("1 37", 275));
    writeText("PrevDesk", padded("1 39", 276));
    writeText("CloseAll", "Alt Delete");

    settings.load();

    EXPECT_EQ(settings.nextDesk, packHotkey(MOD_ALT, VK_LEFT)) << "275 bytes still fit";
    EXPECT_EQ(settings.prevDesk, 0u);
    EXPECT_EQ(settings.closeAll, 0u);
    EXPECT_TRUE(takeBackHotkey(Settings::HotkeyIdNext));
    EXPECT_FALSE(takeBackHotkey(Settings::HotkeyIdPrev));
    EXPECT_FALSE(takeBackHotkey(Settings::HotkeyIdCloseAll));
}

TEST_F(LoadingOptions, TheOneByteNoticeDefaultReadsAsTooltipOnly)
{
    registry::Value stored = registry::read(OptionsKey, "ShowCurDeskMsg");
    ASSERT_EQ(stored.data, std::string(1, '\x01')) << "the first run stores a single byte";

    // Bytes that the stored value does not cover must not keep what the field held before.
    settings.noticeFlags = 0xFFFFFF00;
    settings.load();
    EXPECT_EQ(settings.noticeFlags, Settings::NoticeTooltip);

    registry::write(OptionsKey, "ShowCurDeskMsg", REG_BINARY, std::string("\x06\0\0\0", 4));
    settings.load();
    EXPECT_EQ(settings.noticeFlags, Settings::NoticeTooltipAlways | Settings::NoticeTrayNumber);
}

TEST_F(LoadingOptions, ALanguageLongerThanThreeLettersLeavesTheLanguageEmptyAndTheTextsRussian)
{
    MessageCatalog catalog{settings.language};

    writeText("Language", "english");
    settings.load();
    EXPECT_STREQ(settings.language, "");
    EXPECT_EQ(hexBytes(catalog.text(MsgTerminate)), hexBytes(russian::Terminate));

    writeText("Language", std::string("eng\0", 4));
    settings.load();
    EXPECT_STREQ(settings.language, "eng") << "the code stored with its NUL, as the program saves it";
    EXPECT_STREQ(catalog.text(MsgTerminate), "Terminate");

    writeText("Language", "rus");
    settings.load();
    EXPECT_STREQ(settings.language, "rus");
}

TEST_F(SavingOptions, EachHotkeyIsWrittenAsTwoNumbersAndAClearedOneAsZeros)
{
    settings.load();
    settings.nextDesk = CtrlShiftK;
    settings.prevDesk = 0;
    settings.closeAll = AltShiftJ;
    settings.save();

    registry::Value next = registry::read(OptionsKey, "NextDesk");
    EXPECT_EQ(next.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(registry::handedOverText(next), "6 75");
    EXPECT_EQ(registry::handedOverText(registry::read(OptionsKey, "PrevDesk")), "0 0");
    EXPECT_EQ(registry::handedOverText(registry::read(OptionsKey, "CloseAll")), "5 74");

    // Saving registers the new combinations in place of the old ones.
    EXPECT_TRUE(takeBackHotkey(Settings::HotkeyIdNext));
    EXPECT_FALSE(takeBackHotkey(Settings::HotkeyIdPrev));
    EXPECT_TRUE(takeBackHotkey(Settings::HotkeyIdCloseAll));
}

TEST_F(SavingOptions, TheNoticeFlagsAndTheLanguageAreWrittenAsFourBytes)
{
    settings.load();
    settings.noticeFlags = Settings::NoticeTooltip | Settings::NoticeTrayNumber;
    std::strcpy(settings.language, "rus");
    settings.save();

    registry::Value flags = registry::read(OptionsKey, "ShowCurDeskMsg");
    EXPECT_EQ(flags.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(hexBytes(flags.data), hexBytes(std::string("\x05\0\0\0", 4)));

    // Wine stores the NUL that follows counted string data in the caller's buffer, so there a
    // three-byte write would read back the same; Windows stores exactly the bytes handed over.
    registry::Value language = registry::read(OptionsKey, "Language");
    EXPECT_EQ(language.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(hexBytes(language.data), hexBytes(std::string("rus\0", 4)));
}

TEST_F(SavingOptions, TheAutoStartEntryIsRemovedOrWrittenByTheOption)
{
    settings.load();
    ASSERT_EQ(settings.autoStart, 1) << "a first run starts at logon";

    settings.autoStart = 0;
    settings.save();
    EXPECT_FALSE(registry::read(registry::RunKey, "Lumenfold.exe").exists);

    settings.autoStart = 1;
    settings.save();
    registry::Value entry = registry::read(registry::RunKey, "Lumenfold.exe");
    EXPECT_EQ(entry.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(registry::handedOverText(entry), settings.modulePath);
}

} // namespace
