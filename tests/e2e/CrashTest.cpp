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

    // Desktop 1 current with One; Two hidden on desktop 2, Three on desktop 3: each is put on the
    // screen while its desktop is current, and the next switch files it there.
    void spreadOverDesktops()
    {
        ShowWindow(two, SW_HIDE);
        ShowWindow(three, SW_HIDE);
        ASSERT_TRUE(lumenfold.start());
        ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(one); }));
        ShowWindow(two, SW_SHOW);
        ASSERT_TRUE(pressAltUntil(VK_F3, [&] { return !visible(two); }));
        ShowWindow(three, SW_SHOW);
        ASSERT_TRUE(pressAltUntil(VK_F1, [&] { return !visible(three) && visible(one); }));
    }

    HostedWindows hosted{"One", "Two", "Three"};
    HWND one = hosted.window("One"), two = hosted.window("Two"), three = hosted.window("Three");
    RunningLumenfold lumenfold;
};

TEST_F(Crash, WindowsLeftHiddenByAKilledProgramAreShownAtTheNextStart)
{
    ASSERT_NO_FATAL_FAILURE(spreadOverDesktops());
    TerminateProcess(lumenfold.handle(), 9);
    ASSERT_TRUE(lumenfold.waitForExit());
    ASSERT_FALSE(visible(two) || visible(three)) << "the system showed them itself";

    RunningLumenfold next;
    ASSERT_TRUE(next.start());
    EXPECT_TRUE(waitUntil([&] { return visible(two) && visible(three); }));
    // Under Wine the killed program's hooks stay in the chain, and a choice must still count once.
    // The send-to choice comes from the same thread after the other, so it is acted on after it.
    ASSERT_TRUE(waitUntil([&] {
        return hostedMenuState(two) == itemsWithSendTo(2, 3) && hostedMenuState(three) == itemsWithSendTo(2, 3);
    })) << "the items the killed program made are made anew";
    PostMessageA(two, WM_SYSCOMMAND, 1124, 0);
    PostMessageA(three, WM_SYSCOMMAND, 1827, 0);
    ASSERT_TRUE(waitUntil([&] { return !visible(three); }));
    EXPECT_EQ(hostedMenuState(two), MarkedOnAllDesktops) << "\"on all desktops\" was chosen once";
    EXPECT_EQ(next.terminate(), 0u);
    EXPECT_TRUE(readJournal().empty()) << "the clean exit left the journal";
}

// A thread started where no code is. The exit in time with the fault's code is the program's filter:
// without it the system's crash dialog would hold the process until someone answered it.
TEST_F(Crash, AFaultInTheProgramShowsItsWindowsAndEndsItWithoutACrashDialog)
{
    ASSERT_NO_FATAL_FAILURE(spreadOverDesktops());
    HANDLE thread = CreateRemoteThread(lumenfold.handle(), nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(1),
                                       nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    CloseHandle(thread);

    EXPECT_TRUE(waitUntil([&] { return visible(two) && visible(three); })) << "the windows stayed hidden";
    EXPECT_EQ(lumenfold.waitForExit(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}

// A set that fails its checks is not trusted, even with a window in it that is still hidden. Every
// set in the file (each begins with Magic) is damaged, since which of them is the newest depends on
// how many sets the killed program wrote.
TEST_F(Crash, ADamagedOrUnwritableJournalNeverStopsTheProgram)
{
    struct Damage { const char* name; std::function<std::string(std::string)> change; }; // none: a folder instead
    const Damage damages[] = {
        {"garbage", [](std::string) { return std::string("not a journal at all"); }},
        {"cut short", [](std::string bytes) { return bytes.substr(0, bytes.find(Magic) + 18); }},
        {"one byte changed", [](std::string bytes) {
            for (size_t at = bytes.find(Magic); at < bytes.size(); at = bytes.find(Magic, at + 1))
                bytes[std::min(at + 12, bytes.size() - 1)] ^= 1; // in the serial, which the checksum covers
            return bytes;
        }},
        {"a folder", nullptr},
    };
    ASSERT_TRUE(lumenfold.start());
    ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(one); }));
    TerminateProcess(lumenfold.handle(), 9);
    ASSERT_TRUE(lumenfold.waitForExit());
    const std::string journal = readJournal();
    ASSERT_NE(journal.find(Magic), std::string::npos);
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        removeJournal();
        if (damage.change)
            std::ofstream(journalPath(), std::ios::binary) << damage.change(journal);
        else
            ASSERT_TRUE(CreateDirectoryA(journalPath().c_str(), nullptr));
        ShowWindow(one, SW_HIDE); // as the killed program left it

        RunningLumenfold program;
        ASSERT_TRUE(program.start());
        // The killed program's window comes back within milliseconds when the journal is sound.
        EXPECT_FALSE(waitUntil([&] { return visible(one); }, 1000)) << "a window of a damaged journal was shown";
        ShowWindow(one, SW_SHOW);
        EXPECT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(one); }));
        EXPECT_TRUE(pressAltUntil(VK_F1, [&] { return visible(one); }));
        EXPECT_EQ(program.terminate(), 0u);
    }
}

} // namespace
