#include "DialogDriver.h"

#include <algorithm>
#include <cstdio>

namespace {

using namespace registry;

struct Write { const char* key; std::string name; DWORD type; std::string data; };

// What a damaged profile, an older version or another program may leave in the keys, and the text
// of the box refusing the start where the program is not meant to run.
struct Case { const char* title; std::vector<Write> writes; std::string refusal = ""; };

Write desk(std::string name, std::string text, DWORD type = REG_MULTI_SZ) { return {DesksKey, name, type, text}; }
Write option(const char* name, DWORD type, const std::string& data) { return {OptionsKey, name, type, data}; }
std::string dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }
const std::string digits(5000, '7'), garbage = [] { // every byte value, NULs and line feeds among them
    std::string bytes;
    while (bytes.size() < 5000)
        bytes += static_cast<char>(bytes.size() * 37 + 11);
    return bytes;
}();

// Desktops 1 to 3 on Alt+F1 to Alt+F3 as at a first run, the others each on a combination of
// their own with a letter or digit, so that every one of them has a hotkey to register.
std::vector<Write> desks(int count, std::vector<Write> more = {})
{
    const char keys[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int n = 1, k = -3; n <= count; ++n, ++k) {
        char text[16];
        std::snprintf(text, sizeof text, "%d %d\n", n <= 3 ? MOD_ALT : MOD_CONTROL + k / 36,
                      n <= 3 ? VK_F1 + n - 1 : keys[k % 36]);
        more.push_back(desk("Desk" + std::to_string(n), text));
    }
    return more;
}

const std::vector<Case> cases = {
    {"WrongTypes", {option("PrevDesk", REG_DWORD, dword(VK_LEFT)), option("NextDesk", REG_DWORD, dword(0x10027)),
                    option("CloseAll", REG_BINARY, "1 46"), option("ShowCurDeskMsg", REG_SZ, "7"),
                    option("Language", REG_DWORD, dword(7)), desk("VirtDesk1", "1 112\n", REG_BINARY),
                    desk("VirtDesk2", dword(VK_F2), REG_DWORD), desk("VirtDesk3", "1 114", REG_SZ)}},
    {"EmptyData", desks(1, {option("PrevDesk", REG_SZ, ""), option("NextDesk", REG_SZ, ""),
                            option("CloseAll", REG_SZ, ""), option("ShowCurDeskMsg", REG_BINARY, ""),
                            option("Language", REG_SZ, ""), desk("Empty", ""), desk("EmptyBinary", "", REG_BINARY)})},
    {"OversizedData", desks(3, {option("PrevDesk", REG_SZ, digits), option("NextDesk", REG_SZ, garbage),
                                option("CloseAll", REG_BINARY, garbage), option("ShowCurDeskMsg", REG_BINARY, garbage),
                                option("Language", REG_SZ, garbage), desk("Digits", digits), desk("Garbage", garbage),
                                desk("BufferFull", "1 " + std::string(273, '9'))})},
    // With a language longer than its field, and with one that the program does not know.
    {"LongNames", {desk("AFifteenChars15", "1 112\n"), desk("A" + std::string(40, 'x'), "1 113\n"),
                   desk("FourteenChars1", "1 113\n"), desk("Zlast", "1 114\n"), option("Language", REG_SZ, "english")}},
    {"NonAsciiNames", {desk("\xD0\xE0\xE1\xEE\xF2\xE0", "1 112\n"), desk("\xC4\xEE\xEC", "1 113\n"),
                       desk(std::string(14, '\xDF'), "1 114\n"), desk(std::string(15, '\xFE'), "1 115\n"),
                       option("Language", REG_SZ, "deu")}},
    {"HundredTwentyDesktops", desks(120)},
    {"EmptyDesksKey", {}},
    // The options are not read yet when the desktops' hotkeys are registered: the box is Russian.
    {"DuplicateDesktopHotkeys", {desk("One", "1 112\n"), desk("Two", "1 112\n")},
     windows1251(L"Невозможно зарегистрировать в системе заданную комбинацию клавиш")},
    {"DesktopOnASpecialHotkey", desks(3, {desk("Left", "1 37\n")}), "Cant register \"previous desktop\" hotkey"},
};

// The names that a desktop can stand for, sorted.
std::vector<std::string> readableDesks()
{
    std::vector<std::string> names;
    for (const auto& value : registry::readAll(DesksKey))
        if (!value.first.empty() && value.first.size() <= 14)
            names.push_back(value.first);
    return names;
}

class RegistryFuzz : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        endStrayLumenfolds();
        registry::resetProgramKeys();
        registry::write(DesksKey, "Gone", REG_SZ, ""); // an existing desks key, empty or not, is no first run
        registry::deleteValue(DesksKey, "Gone");
        for (const Write& write : GetParam().writes)
            registry::write(write.key, write.name.c_str(), write.type, write.data);
        readable = readableDesks();
    }

    void TearDown() override { EXPECT_EQ(readableDesks(), readable) << "desktops were lost or added"; }

    std::vector<std::string> readable;
    RunningLumenfold lumenfold;
};

TEST_P(RegistryFuzz, RunsOrRefusesCleanly)
{
    if (!GetParam().refusal.empty()) {
        ASSERT_TRUE(lumenfold.launch());
        expectFatalBox(lumenfold, GetParam().refusal);
        return;
    }
    ASSERT_TRUE(lumenfold.start());
    // The desktops' keys where a case has them, then switching and closing as the defaults have them.
    for (WORD key : {VK_F1, VK_F2, VK_F3, VK_RIGHT, VK_LEFT, VK_DELETE}) {
        pressAlt(key);
        pumpMessagesFor(200);
    }
    ASSERT_EQ(findMessageBox(lumenfold.id(), 500), nullptr) << "an unexpected box";

    HWND dialog = openOptionsDialog(lumenfold);
    ASSERT_NE(dialog, nullptr);
    std::vector<std::string> listed = readDesktopList(GetDlgItem(dialog, IDC_DESKTOP_LIST)).names;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, readable) << "not every readable desktop was loaded";
    PostMessageA(dialog, WM_CLOSE, 0, 0); // which stores the options as read
    ASSERT_TRUE(waitGone(dialog));
    EXPECT_EQ(lumenfold.terminate(), 0u) << "crashed, hung or failed on the way out";
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryFuzz, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.title); });

} // namespace
