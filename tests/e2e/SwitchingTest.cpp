#include "ProgramDriver.h"
#include "ScreenPicture.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

// The user's session: notepad and two windows of another program, all on desktop 1 once
// Lumenfold has started. Beta is created after Alpha and is on top of it.
class Switching : public ::testing::Test {
protected:
    void SetUp() override
    {
        prepareFirstRun(0); // no notice, whose half second would only slow the tests down
        ASSERT_TRUE(notepad.window() != nullptr && hosted.ready());
        ASSERT_TRUE(lumenfold.start());
    }

    // Desktop 1's windows are all shown (or all hidden), now.
    bool desktop1(bool shown = true) const
    {
        return visible(notepad.window()) == shown && visible(alpha) == shown && visible(beta) == shown;
    }

    Notepad notepad;
    HostedWindows hosted{"Alpha", "Beta"};
    HWND alpha = hosted.window("Alpha"), beta = hosted.window("Beta");
    RunningLumenfold lumenfold;
};

// Under Wine an application whose window hands its focus to a child control (notepad) raises
// itself again shortly after another window was activated above it; Windows keeps the order of
// showing. With notepad shown last, the order checked here is the same under both.
TEST_F(Switching, DesktopHotkeysHideAndRestoreWindowsInTheirStackingOrder)
{
    SetForegroundWindow(notepad.window());
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == notepad.window(); }));
    ASSERT_TRUE(waitUntil([&] { return isAbove(notepad.window(), beta) && isAbove(beta, alpha); }));

    ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return desktop1(false); }));
    ASSERT_TRUE(pressAltUntil(VK_F1, [&] { return desktop1(); }));
    // The windows of two programs are shown by their own threads, each at its own pace.
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == notepad.window(); })) << "the top window is not active";
    EXPECT_TRUE(waitUntil([&] { return isAbove(notepad.window(), beta) && isAbove(beta, alpha); }))
        << "the stacking order was not restored";
}

// Close-all takes the windows opened since the last switch too. Notepad asks whether to save; the
// user cancels, and notepad stays. A right click meanwhile opens the tray menu only once the user
// has answered: acted on inside the close-all, the menu would wait for the lock its thread holds.
TEST_F(Switching, CloseAllClosesTheCurrentDesktopAndWaitsForTheUsersAnswer)
{
    HostedWindows opened{"Opened after the switch"};
    HWND late = opened.window("Opened after the switch");
    ASSERT_TRUE(visible(late));
    notepad.makeUnsavedChanges();

    pressAlt(VK_DELETE);
    HWND question = findMessageBox(processOf(notepad.window()));
    ASSERT_NE(question, nullptr) << "notepad did not ask whether to save";
    ASSERT_TRUE(rightClickTrayIcon());
    EXPECT_FALSE(menuShown(true, 1000)) << "the menu opened inside the close-all";
    pressButton(question, IDCANCEL);
    EXPECT_TRUE(menuShown()) << "the click was lost";
    typeKeys({VK_ESCAPE});
    EXPECT_TRUE(menuShown(false));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(alpha) && !IsWindow(beta); })) << "Alpha and Beta were not closed";
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(late); })) << "the window opened after the switch was not closed";
    EXPECT_TRUE(visible(notepad.window()));

    // Hotkeys act again once the user has answered.
    EXPECT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(notepad.window()); }));
    EXPECT_TRUE(pressAltUntil(VK_F1, [&] { return visible(notepad.window()); }));
}

// An application whose thread sleeps after creating its window must never freeze Lumenfold:
// switching, the tray menu and close-all go on with the other windows, the next hotkey works and
// Terminate still ends the program; the hung window keeps its place.
TEST(HungApplication, NeitherStopsSwitchingNorTheTrayMenuNorCloseAllNorTheExit)
{
    prepareFirstRun(0);
    HostedWindows lively{"Lively"};
    HostedWindows frozen({"Frozen"}, "--hang");
    HWND livelyWindow = lively.window("Lively"), frozenWindow = frozen.window("Frozen");
    ASSERT_TRUE(livelyWindow && frozenWindow);
    ASSERT_TRUE(waitUntil([&] {
        DWORD_PTR result;
        return !SendMessageTimeoutA(frozenWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result);
    })) << "the frozen window still answers";
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());

    EXPECT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(livelyWindow); })) << "the switch stopped at the hung window";
    EXPECT_TRUE(pressAltUntil(VK_F1, [&] { return visible(livelyWindow); })) << "the next hotkey did not act";
    ASSERT_TRUE(rightClickTrayIcon());
    EXPECT_TRUE(menuShown()) << "the tray menu waited on the hung window";
    typeKeys({VK_ESCAPE});
    EXPECT_TRUE(menuShown(false));
    pressAlt(VK_DELETE);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(livelyWindow); })) << "close-all stopped at the hung window";
    EXPECT_TRUE(IsWindow(frozenWindow));

    HostedWindows later{"Later"};
    HWND laterWindow = later.window("Later");
    EXPECT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(laterWindow); })) << "the hotkey after close-all did not act";
    lumenfold.terminate();
    EXPECT_EQ(lumenfold.waitForExit(), 0u) << "Terminate did not end the program";
    EXPECT_TRUE(visible(laterWindow)) << "a hidden window stayed hidden after the exit";
}

} // namespace
