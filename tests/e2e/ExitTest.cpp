#include "ProgramDriver.h"
#include "tests/support/RussianTexts.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

// However Lumenfold ends, every window that it has hidden is shown again.
class Exit : public ::testing::Test {
protected:
    void SetUp() override
    {
        prepareFirstRun(0); // no notice, whose half second would only slow the tests down
        ASSERT_TRUE(hosted.ready());
    }

    // Starts the program and moves to desktop 2, which hides both windows.
    void startAndHideEverything()
    {
        ASSERT_TRUE(lumenfold.start());
        ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(first) && !visible(second); }));
    }

    // The fatal error box of the process: its caption and text, answered; the process ends with 1.
    static void expectFatalBox(RunningLumenfold& program, const std::string& caption, const std::string& text)
    {
        HWND box = findMessageBox(program.processId());
        ASSERT_NE(box, nullptr) << "no fatal error box";
        EXPECT_EQ(hexBytes(windowText(box)), hexBytes(caption));
        EXPECT_EQ(hexBytes(messageBoxText(box)), hexBytes(text));
        pressButton(box, IDOK);
        EXPECT_EQ(program.waitForExit(), 1u);
    }

    bool allVisible() const { return visible(first) && visible(second); }
    // The program's items have left both windows' system menus.
    bool itemsGone() const { return hostedMenuState(first) == 0 && hostedMenuState(second) == 0; }

    HostedWindows hosted{"First", "Second"};
    HWND first = hosted.window("First"), second = hosted.window("Second");
    RunningLumenfold lumenfold;
};

// "Terminate" ends the process where it stands; a main window closed from another program ends
// the main loop. Either way the items leave the filed windows, and windows that appear meanwhile
// do not trouble the exit.
TEST_F(Exit, TerminateOrClosingTheMainWindowShowsEveryWindowAndEndsWithCodeZero)
{
    for (bool terminate : {true, false}) {
        SCOPED_TRACE(terminate ? "Terminate" : "WM_CLOSE");
        RunningLumenfold program;
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(waitUntil([&] { return hostedMenuState(first) > 0 && hostedMenuState(second) > 0; }));
        ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(first) && !visible(second); }));
        HostedWindows unfiled{"Unfiled"}; // on desktop 2, not on any list yet
        ASSERT_TRUE(waitUntil([&] { return hostedMenuState(unfiled.window("Unfiled")) > 0; }));
        ChildProcess appearing;
        appearing.start("\"" + helperPath("WindowHost.exe") + "\" --burst 30 Appearing");
        if (terminate)
            program.terminate();
        else
            PostMessageA(program.mainWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.waitForExit(), 0u);
        EXPECT_TRUE(allVisible());
        EXPECT_TRUE(itemsGone() && hostedMenuState(unfiled.window("Unfiled")) == 0);
    }
}

// A shell that lost the icon (as when Explorer restarts) makes the next switch fatal, with the
// desktops locked; the hidden windows come back and the items go as the process ends, not before
// the box is answered. Here another program removes the icon, which the shell knows by window and id.
TEST_F(Exit, FatalErrorAfterASwitchShowsEveryWindowAndEndsWithCodeOne)
{
    startAndHideEverything();
    ASSERT_TRUE(waitUntil([&] { return hostedMenuState(first) > 0; }));
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = lumenfold.mainWindow();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
    pressAlt(VK_F3);
    ASSERT_NE(findMessageBox(lumenfold.processId()), nullptr);
    EXPECT_TRUE(!visible(first) && hostedMenuState(first) > 0) << "the clean-up ran before the box was answered";
    expectFatalBox(lumenfold, "Error :(", "Cant go to \"systray\"");
    EXPECT_TRUE(allVisible());
    EXPECT_TRUE(itemsGone());
}

TEST_F(Exit, SecondInstanceIsRefusedInRussianAndTheFirstKeepsWorking)
{
    startAndHideEverything();
    RunningLumenfold secondInstance;
    ASSERT_TRUE(secondInstance.launch());
    expectFatalBox(secondInstance, russian::ErrorCaption, russian::AlreadyRunning);

    ASSERT_TRUE(lumenfold.running());
    EXPECT_TRUE(pressAltUntil(VK_F1, [&] { return allVisible(); })) << "the first instance stopped answering hotkeys";
}

} // namespace
