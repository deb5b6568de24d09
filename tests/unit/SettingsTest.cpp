#include "tests/support/ModelTest.h"

#include <cstring>
#include <map>

// The type and size of the last RegSetValueExA of each value name in this executable. Wine
// stores the NUL that follows counted string data in the caller's buffer, so only here does a
// size that counts the NUL differ from one that does not.
using Write = std::pair<DWORD, DWORD>;
static std::map<std::string, Write> lastWrites;

static LONG WINAPI recordingRegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    static auto real = reinterpret_cast<decltype(&RegSetValueExA)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegSetValueExA")));
    lastWrites[name ? name : ""] = {type, size};
    return real(key, name, reserved, type, data, size);
}

// The import slot through which the program's code calls RegSetValueExA: defined here, it takes
// the place of the import library's, so that every call of this executable is recorded.
extern "C" void* const importedRegSetValueExA __asm__("__imp__RegSetValueExA@24") =
    reinterpret_cast<void*>(&recordingRegSetValueExA);

namespace {

using namespace registry;

std::string padded(const std::string& beginning, size_t length) { return beginning + std::string(length - beginning.size(), ' '); }

// The options as a first run leaves them; each test then stores what it reads, or sets what it saves.
class Options : public ModelTest {
protected:
    Options() : ModelTest([] { registry::resetProgramKeys(); lastWrites.clear(); }) {}
    void writeText(const char* name, const std::string& text) { registry::write(OptionsKey, name, REG_SZ, text); }
};

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
// even when it begins like one. A language longer than its field is none at all. Flag bytes that
// the one stored byte does not cover read as 0.
TEST_F(Options, OverlongOrMalformedValuesReadAsNoneAndTheOneByteNoticeDefaultAsTooltipOnly)
{
    const struct { const char* name; HotkeyCode Settings::*field; int id; HotkeyCode code; std::string text; } hotkeys[] = {
        {"NextDesk", &Settings::nextDesk, Settings::HotkeyIdNext, packHotkey(MOD_ALT, VK_LEFT), padded("1 37", 275)},
        {"PrevDesk", &Settings::prevDesk, Settings::HotkeyIdPrev, 0, padded("1 39", 276)},
        {"CloseAll", &Settings::closeAll, Settings::HotkeyIdCloseAll, 0, "Alt Delete"}};
    for (const auto& hotkey : hotkeys)
        writeText(hotkey.name, hotkey.text);
    writeText("Language", "english");
    settings.noticeFlags = 0xFFFFFF00;
    settings.load();
    for (const auto& hotkey : hotkeys) {
        EXPECT_EQ(settings.*hotkey.field, hotkey.code) << hotkey.name;
        EXPECT_EQ(UnregisterHotKey(nullptr, hotkey.id) != FALSE, hotkey.code != 0) << hotkey.name << " registered";
    }
    EXPECT_STREQ(settings.language, "");
    EXPECT_EQ(settings.noticeFlags, 1u);
}

// The bytes handed over (which values the dialog stores is its end-to-end tests'): hotkeys without
// a NUL ("0 0" for none, registering nothing), four flag bytes, the language's field with the NUL.
TEST_F(Options, SavingHandsOverTheExactBytesAndAutoStartFollowsItsOption)
{
    settings.load();
    ASSERT_EQ(settings.autoStart, 1) << "a first run starts at logon";
    settings.prevDesk = 0;
    std::strcpy(settings.language, "rus");
    settings.autoStart = 0;
    settings.save();
    EXPECT_EQ(lastWrites["NextDesk"], Write(REG_SZ, 4)) << "1 39";
    EXPECT_EQ(lastWrites["PrevDesk"], Write(REG_SZ, 3));
    EXPECT_EQ(registry::handedOverText(registry::read(OptionsKey, "PrevDesk")), "0 0");
    EXPECT_FALSE(UnregisterHotKey(nullptr, Settings::HotkeyIdPrev));
    EXPECT_EQ(lastWrites["ShowCurDeskMsg"], Write(REG_BINARY, 4));
    EXPECT_EQ(lastWrites["Language"], Write(REG_SZ, 4));
    EXPECT_FALSE(registry::read(RunKey, "Lumenfold.exe").exists);

    settings.autoStart = 1;
    settings.save();
    EXPECT_EQ(registry::handedOverText(registry::read(RunKey, "Lumenfold.exe")), settings.modulePath);
}

} // namespace
