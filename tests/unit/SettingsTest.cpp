#include "app/MessageCatalog.h"
#include "tests/support/RussianTexts.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/UnexpectedBoxWatch.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

using registry::DesksKey;
using registry::OptionsKey;
using registry::RunKey;

// The type and size of the last RegSetValueExA of each value name in this executable. Wine
// stores the NUL that follows counted string data in the caller's buffer, so only here does a
// size that counts the NUL differ from one that does not.
using Write = std::pair<DWORD, DWORD>;
std::map<std::string, Write> lastWrites;

LONG WINAPI recordingRegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    static auto real = reinterpret_cast<decltype(&RegSetValueExA)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegSetValueExA")));
    lastWrites[name ? name : ""] = {type, size};
    return real(key, name, reserved, type, data, size);
}

// A text of exactly the given length: the beginning, then spaces.
std::string padded(const std::string& beginning, size_t length) { return beginning + std::string(length - beginning.size(), ' '); }

// True when this thread has a hotkey under the id; it is gone afterwards.
bool takeBackHotkey(int id) { return UnregisterHotKey(nullptr, id) != FALSE; }

struct FreshRegistry {
    FreshRegistry() { registry::resetProgramKeys(); lastWrites.clear(); }
};

// The options as a first run leaves them; each test then stores what it reads, or sets what it saves.
class Options : public ::testing::Test {
protected:
    void writeText(const char* name, const std::string& text) { registry::write(OptionsKey, name, REG_SZ, text); }

    FreshRegistry freshRegistry; // before the settings, which write their defaults when built
    char language[4] = "eng";
    MessageCatalog messages{language};
    Settings settings{messages};
};

// A special hotkey: its value and field, its registration id, its combination and its text.
struct Hotkey { const char* name; HotkeyCode Settings::*field; int id; HotkeyCode code; std::string text; };

using LoadingOptions = Options;
using SavingOptions = Options;

} // namespace

// The import slot through which the program's code calls RegSetValueExA: defined here, it takes
// the place of the import library's, so that every call of this executable is recorded.
extern "C" void* const importedRegSetValueExA __asm__("__imp__RegSetValueExA@24") =
    reinterpret_cast<void*>(&recordingRegSetValueExA);

namespace {

// Every default of a first run, strings handed over without their NUL.
TEST_F(Options, TheFirstRunWritesEveryDefaultWithoutNuls)
{
    const struct { const char *key, *name; DWORD type; std::string text; } defaults[] = {
        {OptionsKey, "PrevDesk", REG_SZ, "1 37"}, {OptionsKey, "NextDesk", REG_SZ, "1 39"},
        {OptionsKey, "CloseAll", REG_SZ, "1 46"}, {OptionsKey, "Language", REG_SZ, "eng"},
        {OptionsKey, "ShowCurDeskMsg", REG_BINARY, "\x01"}, {DesksKey, "VirtDesk1", REG_MULTI_SZ, "1 112\n"},
        {DesksKey, "VirtDesk2", REG_MULTI_SZ, "1 113\n"}, {DesksKey, "VirtDesk3", REG_MULTI_SZ, "1 114\n"},
        {RunKey, "Lumenfold.exe", REG_SZ, settings.modulePath}};
    for (const auto& value : defaults) {
        EXPECT_EQ(lastWrites[value.name], Write(value.type, static_cast<DWORD>(value.text.size()))) << value.name;
        EXPECT_EQ(registry::handedOverText(registry::read(value.key, value.name)), value.text) << value.name;
    }
    EXPECT_EQ(lastWrites.size(), 9u) << "a first run writes the five options, three desktops and auto start";
}

// The registry is read through a 275-byte buffer: a longer value does not fit and is no hotkey,
// even when it begins like one.
TEST_F(LoadingOptions, MalformedOrOverlongHotkeysReadAsNoneAndRegisterNothing)
{
    const Hotkey hotkeys[] = {{"NextDesk", &Settings::nextDesk, Settings::HotkeyIdNext, packHotkey(MOD_ALT, VK_LEFT), padded("1 37", 275)},
                              {"PrevDesk", &Settings::prevDesk, Settings::HotkeyIdPrev, 0, padded("1 39", 276)},
                              {"CloseAll", &Settings::closeAll, Settings::HotkeyIdCloseAll, 0, "Alt Delete"}};
    for (const Hotkey& hotkey : hotkeys)
        writeText(hotkey.name, hotkey.text);
    settings.load();
    for (const Hotkey& hotkey : hotkeys) { // only the 275 bytes of NextDesk still fit
        EXPECT_EQ(settings.*hotkey.field, hotkey.code) << hotkey.name;
        EXPECT_EQ(takeBackHotkey(hotkey.id), hotkey.code != 0) << hotkey.name;
    }
}

// Bytes that the one stored byte does not cover must not keep what the field held before.
TEST_F(LoadingOptions, TheOneByteNoticeDefaultReadsAsTooltipOnly)
{
    ASSERT_EQ(registry::read(OptionsKey, "ShowCurDeskMsg").data, "\x01") << "the first run stores one byte, 01";
    settings.noticeFlags = 0xFFFFFF00;
    settings.load();
    EXPECT_EQ(settings.noticeFlags, 1u);
}

TEST_F(LoadingOptions, ALanguageLongerThanThreeLettersLeavesTheLanguageEmptyAndTheTextsRussian)
{
    MessageCatalog catalog{settings.language};
    const struct { std::string stored; const char *language, *terminate; } cases[] = {
        {"english", "", russian::Terminate},
        {std::string("eng\0", 4), "eng", "Terminate"}, // the code with its NUL, as a save writes it
        {"rus", "rus", russian::Terminate}};
    for (const auto& row : cases) {
        writeText("Language", row.stored);
        settings.load();
        EXPECT_STREQ(settings.language, row.language) << "stored " << hexBytes(row.stored);
        EXPECT_EQ(hexBytes(catalog.text(MsgTerminate)), hexBytes(row.terminate)) << "stored " << hexBytes(row.stored);
    }
}

// The auto-start entry is removed or written by the option.
TEST_F(SavingOptions, HotkeysAreTwoNumbersTheFlagsAndTheLanguageFourBytesAndAutoStartFollowsItsOption)
{
    const Hotkey hotkeys[] = {{"NextDesk", &Settings::nextDesk, Settings::HotkeyIdNext, packHotkey(MOD_CONTROL | MOD_SHIFT, 'K'), "6 75"},
                              {"PrevDesk", &Settings::prevDesk, Settings::HotkeyIdPrev, 0, "0 0"},
                              {"CloseAll", &Settings::closeAll, Settings::HotkeyIdCloseAll, packHotkey(MOD_ALT | MOD_SHIFT, 'J'), "5 74"}};
    settings.load();
    ASSERT_EQ(settings.autoStart, 1) << "a first run starts at logon";
    for (const Hotkey& hotkey : hotkeys)
        settings.*hotkey.field = hotkey.code;
    settings.noticeFlags = 5;
    std::strcpy(settings.language, "rus");
    settings.autoStart = 0;
    lastWrites.clear();
    settings.save();
    EXPECT_FALSE(registry::read(RunKey, "Lumenfold.exe").exists);

    for (const Hotkey& hotkey : hotkeys) {
        EXPECT_EQ(registry::read(OptionsKey, hotkey.name).type, static_cast<DWORD>(REG_SZ)) << hotkey.name;
        EXPECT_EQ(registry::handedOverText(registry::read(OptionsKey, hotkey.name)), hotkey.text) << hotkey.name;
        EXPECT_EQ(takeBackHotkey(hotkey.id), hotkey.code != 0) << hotkey.name << ": registered in place of the old one";
    }
    EXPECT_EQ(lastWrites["NextDesk"].second, 4u) << "hotkeys are handed over without their NUL";
    registry::Value flags = registry::read(OptionsKey, "ShowCurDeskMsg");
    EXPECT_EQ(flags.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(hexBytes(flags.data), hexBytes(std::string("\x05\0\0\0", 4)));
    EXPECT_EQ(lastWrites["Language"], Write(REG_SZ, 4)) << "the whole field, NUL included";

    settings.autoStart = 1;
    settings.save();
    EXPECT_EQ(registry::read(RunKey, "Lumenfold.exe").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(registry::handedOverText(registry::read(RunKey, "Lumenfold.exe")), settings.modulePath);
}

} // namespace
