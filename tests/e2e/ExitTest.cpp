#include "ProgramDriver.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

class Exit : public ::testing::Test {
protected:
    void SetUp() override
    {
        prepareFirstRun(0); // no notice, whose half second would only slow the tests down
        ASSERT_TRUE(hosted.ready());
    }

    void startAndHideEverything(RunningLumenfold& program)
    {
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(waitUntil([&] { return hostedMenuState(first) > 0 && hostedMenuState(second) > 0; }));
        ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(first) && !visible(second); }));
    }

    bool allVisible() const { return visible(first) && visible(second); }
    bool itemsGone() const { return hostedMenuState(first) == 0 && hostedMenuState(second) == 0; }

    HostedWindows hosted{"First", "Second"};
    HWND first = hosted.window("First"), second = hosted.window("Second");
    RunningLumenfold lumenfold;
};

// "Terminate" ends the process where it stands, a main window closed from another program the main
// loop. Either way the items leave the filed windows, and windows appearing meanwhile do no harm.
TEST_F(Exit, TerminateOrClosingTheMainWindowShowsEveryWindowAndEndsWithCodeZero)
{
    for (bool terminate : {true, false}) {
        SCOPED_TRACE(terminate ? "Terminate" : "WM_CLOSE");
        RunningLumenfold program;
        ASSERT_NO_FATAL_FAILURE(startAndHideEverything(program));
        HostedWindows unfiled{"Unfiled"}; // on desktop 2, not on any list yet
        ASSERT_TRUE(waitUntil([&] { return hostedMenuState(unfiled.window("Unfiled")) > 0; }));
        ChildProcess appearing;
        appearing.start("\"" + helperPath("WindowHost.exe") + "\" --burst 30 Appearing");
        if (!terminate)
            PostMessageA(program.mainWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(terminate ? program.terminate() : program.waitForExit(), 0u);
        EXPECT_TRUE(allVisible());
        EXPECT_TRUE(itemsGone() && hostedMenuState(unfiled.window("Unfiled")) == 0);
    }
}

// A shell that lost the icon (as when Explorer restarts; here another program removes it) makes the
// next switch fatal; the windows come back and the items go as the process ends, not before the box.
TEST_F(Exit, FatalErrorAfterASwitchShowsEveryWindowAndEndsWithCodeOne)
{
    ASSERT_NO_FATAL_FAILURE(startAndHideEverything(lumenfold));
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = lumenfold.mainWindow();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    pressAlt(VK_F3);
    ASSERT_NE(findMessageBox(lumenfold.id()), nullptr);
    EXPECT_TRUE(!visible(first) && hostedMenuState(first) > 0) << "the clean-up ran before the box was answered";
    expectFatalBox(lumenfold, "Cant go to \"systray\"", "Error :(");
    EXPECT_TRUE(allVisible());
    EXPECT_TRUE(itemsGone());
}

TEST_F(Exit, SecondInstanceIsRefusedInRussianAndTheFirstKeepsWorking)
{
    ASSERT_NO_FATAL_FAILURE(startAndHideEverything(lumenfold));
    RunningLumenfold secondInstance;
    ASSERT_TRUE(secondInstance.launch());
    expectFatalBox(secondInstance, windows1251(L"Невозможно создать временный файл. Возможно, программа уже запущена"),
                   windows1251(L"Ошибка :("));

    ASSERT_TRUE(lumenfold.running());
    EXPECT_TRUE(pressAltUntil(VK_F1, [&] { return allVisible(); })) << "the first instance stopped answering hotkeys";
}

} // namespace
