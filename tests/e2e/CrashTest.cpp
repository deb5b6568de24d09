#include "ProgramDriver.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

const char Magic[] = "LFHW";

std::string journalPath()
{
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Lumenfold\\hidden-windows.journal";
}

std::string readJournal()
{
    std::ifstream file(journalPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void removeJournal()
{
    DeleteFileA(journalPath().c_str());
    RemoveDirectoryA(journalPath().c_str());
}

class Crash : public ::testing::Test {
protected:
    void SetUp() override
    {
        prepareFirstRun(0); // no notice, whose half second would only slow the tests down
        removeJournal();
        ASSERT_TRUE(hosted.ready());
    }

    void TearDown() override { removeJournal(); }

    HostedWindows hosted{"One", "Two", "Three"};
    HWND one = hosted.window("One"), two = hosted.window("Two"), three = hosted.window("Three");
    RunningLumenfold lumenfold;
};

// Desktop 1 current with One, Two hidden on desktop 2, Three on desktop 3 (each shown while its
// desktop is current, filed there by the next switch); then a thread started where no code is. The
// dialog looked for is Wine's, shown by its debugger; Windows would show its error reporting's own.
TEST_F(Crash, AFaultInTheProgramShowsItsWindowsAndEndsItWithoutACrashDialog)
{
    ShowWindow(two, SW_HIDE);
    ShowWindow(three, SW_HIDE);
    ASSERT_TRUE(lumenfold.start());
    ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(one); }));
    ShowWindow(two, SW_SHOW);
    ASSERT_TRUE(pressAltUntil(VK_F3, [&] { return !visible(two); }));
    ShowWindow(three, SW_SHOW);
    ASSERT_TRUE(pressAltUntil(VK_F1, [&] { return !visible(three) && visible(one); }));
    HANDLE thread = CreateRemoteThread(lumenfold.handle(), nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(1),
                                       nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    CloseHandle(thread);

    EXPECT_TRUE(waitUntil([&] { return visible(two) && visible(three); })) << "the windows stayed hidden";
    EXPECT_EQ(lumenfold.waitForExit(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    // The dialog would come from a debugger started after the fault; two seconds is ample for it.
    HWND dialog = findTopLevel([](HWND window) { return windowText(window) == "Program Error"; }, 2000);
    EXPECT_EQ(dialog, nullptr) << "a crash dialog appeared";
    if (dialog != nullptr)
        PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// The windows that a killed program left hidden come back at the next start from a sound journal
// only: a set that fails its checks is not trusted, even with windows in it that are still hidden,
// and no journal stops the program. Every set in the file (each begins with Magic) is damaged,
// since which of them is the newest depends on how many sets the killed program wrote.
TEST_F(Crash, AKilledProgramsWindowsComeBackFromASoundJournalOnlyAndNoJournalStopsTheProgram)
{
    struct Damage { const char* name; std::function<std::string(std::string)> change; }; // none: a folder instead
    const Damage damages[] = {
        {"sound", [](std::string bytes) { return bytes; }},
        {"garbage", [](std::string) { return std::string("not a journal at all"); }},
        {"cut short", [](std::string bytes) { return bytes.substr(0, bytes.find(Magic) + 18); }},
        {"one byte changed", [](std::string bytes) {
            for (size_t at = bytes.find(Magic); at < bytes.size(); at = bytes.find(Magic, at + 1))
                bytes[std::min(at + 12, bytes.size() - 1)] ^= 1; // in the serial, which the checksum covers
            return bytes;
        }},
        {"a folder", nullptr},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        RunningLumenfold killed;
        ASSERT_TRUE(killed.start());
        ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(one) && !visible(two) && !visible(three); }));
        TerminateProcess(killed.handle(), 9);
        ASSERT_TRUE(killed.waitForExit());
        std::string journal = readJournal();
        ASSERT_NE(journal.find(Magic), std::string::npos);
        removeJournal();
        if (damage.change)
            std::ofstream(journalPath(), std::ios::binary) << damage.change(journal);
        else
            ASSERT_TRUE(CreateDirectoryA(journalPath().c_str(), nullptr));

        RunningLumenfold program;
        ASSERT_TRUE(program.start());
        if (damage.name == std::string("sound"))
            EXPECT_TRUE(waitUntil([&] { return visible(one) && visible(two) && visible(three); }));
        else // a sound journal's windows come back within milliseconds
            EXPECT_FALSE(waitUntil([&] { return visible(one) || visible(two) || visible(three); }, 1000));
        for (HWND window : {one, two, three})
            ShowWindow(window, SW_SHOW);
        EXPECT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(one); }));
        EXPECT_TRUE(pressAltUntil(VK_F1, [&] { return visible(one); }));
        EXPECT_EQ(program.terminate(), 0u);
        EXPECT_TRUE(readJournal().empty()) << "the clean exit left the journal";
        removeJournal();
    }
}

} // namespace
