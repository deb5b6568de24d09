#include "ProgramDriver.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

const DWORD SwitchLimitMs = 10000;


bool becomesHidden(HWND window)
{
    return waitUntil([&] { return !visible(window); }, SwitchLimitMs);
}

bool becomesVisible(HWND window)
{
    return waitUntil([&] { return visible(window); }, SwitchLimitMs);
}

// The user's session: notepad and two windows of another program, all on desktop 1 once
// Lumenfold has started. Beta is created after Alpha and is on top of it.
class Switching : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No notice: its half second after every switch would only slow the tests down.
        prepareFirstRun(0);
        ASSERT_NE(notepad.window(), nullptr) << "notepad did not start";
        ASSERT_TRUE(hosted.ready()) << "the window host did not start";
        alpha = hosted.window("Alpha");
        beta = hosted.window("Beta");
        ASSERT_TRUE(lumenfold.start());
    }

    void TearDown() override
    {
        lumenfold.terminate();
        EXPECT_EQ(lumenfold.waitForExit(), 0u);
    }

    bool allHidden() const { return !visible(notepad.window()) && !visible(alpha) && !visible(beta); }
    bool allVisible() const { return visible(notepad.window()) && visible(alpha) && visible(beta); }

    Notepad notepad;
    HostedWindows hosted{"Alpha", "Beta"};
    HWND alpha = nullptr;
    HWND beta = nullptr;
    RunningLumenfold lumenfold;
};

// Notepad, the window the user works in, is on top. Under Wine an application whose window hands
// its focus to a child control (notepad, regedit) raises itself again shortly after it has been
// shown and another window activated above it; Windows keeps the order in which the windows were
// shown. With notepad shown last, the order checked here is the same under both.
TEST_F(Switching, DesktopHotkeysHideAndRestoreWindowsInTheirStackingOrder)
{
    SetForegroundWindow(notepad.window());
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == notepad.window(); }));
    ASSERT_TRUE(waitUntil([&] { return isAbove(notepad.window(), beta) && isAbove(beta, alpha); }));

    pressAlt(VK_F2);
    ASSERT_TRUE(waitUntil([&] { return allHidden(); }, SwitchLimitMs)) << "Alt+F2 did not hide desktop 1";

    pressAlt(VK_F1);
    ASSERT_TRUE(waitUntil([&] { return allVisible(); }, SwitchLimitMs)) << "Alt+F1 did not bring desktop 1 back";
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == notepad.window(); }))
        << "the topmost window is not active";
    EXPECT_TRUE(isAbove(notepad.window(), beta)) << "the stacking order was not restored";
    EXPECT_TRUE(isAbove(beta, alpha)) << "the stacking order was not restored";
}

// A window opened on desktop 2 tells when desktop 2 is shown: next and previous never wrap around,
// so the key that would wrap changes nothing and the following key lands on desktop 2.
TEST_F(Switching, NextAndPreviousStopAtEitherEnd)
{
    pressAlt(VK_F2);
    ASSERT_TRUE(waitUntil([&] { return allHidden(); }, SwitchLimitMs));
    HostedWindows desktop2{"Sentinel"};
    HWND sentinel = desktop2.window("Sentinel");
    ASSERT_TRUE(visible(sentinel));

    pressAlt(VK_RIGHT); // to desktop 3
    ASSERT_TRUE(becomesHidden(sentinel));
    pressAlt(VK_RIGHT); // past the last desktop: nothing
    pressAlt(VK_LEFT);  // back to desktop 2
    ASSERT_TRUE(becomesVisible(sentinel)) << "next on the last desktop did not stay there";
    EXPECT_TRUE(allHidden());

    pressAlt(VK_LEFT); // to desktop 1
    ASSERT_TRUE(waitUntil([&] { return allVisible(); }, SwitchLimitMs));
    EXPECT_FALSE(visible(sentinel));
    pressAlt(VK_LEFT);  // before the first desktop: nothing
    pressAlt(VK_RIGHT); // to desktop 2
    ASSERT_TRUE(becomesVisible(sentinel)) << "previous on the first desktop did not stay there";
    EXPECT_TRUE(allHidden());

    pressAlt(VK_F1);
    EXPECT_TRUE(waitUntil([&] { return allVisible(); }, SwitchLimitMs));
}

TEST_F(Switching, KeysTypedAtTheXServerSwitchToo)
{
    ASSERT_TRUE(pressKeysThroughX("alt", "F2"));
    ASSERT_TRUE(waitUntil([&] { return allHidden(); }, SwitchLimitMs)) << "xdotool's Alt+F2 did not switch";
    ASSERT_TRUE(pressKeysThroughX("alt", "F1"));
    EXPECT_TRUE(waitUntil([&] { return allVisible(); }, SwitchLimitMs)) << "xdotool's Alt+F1 did not switch back";
}

// Notepad asks whether to save; the user cancels, and notepad stays, visible and answering.
TEST_F(Switching, CloseAllClosesTheCurrentDesktopAndWaitsForTheUsersAnswer)
{
    notepad.makeUnsavedChanges();

    pressAlt(VK_DELETE);
    HWND question = findMessageBox(processOf(notepad.window()));
    ASSERT_NE(question, nullptr) << "notepad did not ask whether to save";
    pressButton(question, IDCANCEL);

    EXPECT_TRUE(waitUntil([&] { return !IsWindow(alpha) && !IsWindow(beta); }, SwitchLimitMs))
        << "the other program's windows were not closed";
    EXPECT_TRUE(IsWindow(notepad.window()));
    EXPECT_TRUE(visible(notepad.window()));

    // Lumenfold answers hotkeys again once the user has answered.
    pressAlt(VK_F2);
    EXPECT_TRUE(becomesHidden(notepad.window()));
    pressAlt(VK_F1);
    EXPECT_TRUE(becomesVisible(notepad.window()));
}

} // namespace

namespace {

// An application whose thread sleeps after creating its window must never freeze Lumenfold: the
// switch goes on with the other windows, the next hotkey works and Terminate still ends the
// program. The hung window gets its show and hide requests delivered when its thread runs again.
class HungApplication : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No notice: its half second after every switch would only slow the tests down.
        prepareFirstRun(0);
        ASSERT_TRUE(lively.ready());
        livelyWindow = lively.window("Lively");
        frozenWindow = frozen.window("Frozen");
        ASSERT_NE(frozenWindow, nullptr);
        ASSERT_TRUE(waitUntil([&] {
            DWORD_PTR result;
            return SendMessageTimeoutA(frozenWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result) == 0;
        })) << "the frozen window still answers";
        ASSERT_TRUE(lumenfold.start());
    }

    HostedWindows lively{"Lively"};
    HostedWindows frozen{{"Frozen"}, true};
    HWND livelyWindow = nullptr;
    HWND frozenWindow = nullptr;
    RunningLumenfold lumenfold;
};

TEST_F(HungApplication, NeitherStopsSwitchingNorTheExit)
{
    pressAlt(VK_F2);
    EXPECT_TRUE(waitUntil([&] { return !visible(livelyWindow); })) << "the switch stopped at the hung window";
    pressAlt(VK_F1);
    EXPECT_TRUE(waitUntil([&] { return visible(livelyWindow); })) << "the next hotkey did not act";
    pressAlt(VK_F2);
    EXPECT_TRUE(waitUntil([&] { return !visible(livelyWindow); }));

    lumenfold.terminate();
    EXPECT_EQ(lumenfold.waitForExit(), 0u) << "Terminate did not end the program";
    EXPECT_TRUE(visible(livelyWindow)) << "a hidden window stayed hidden after the exit";
}

// The hung window keeps its place on the desktop; the others are closed and the program goes on.
TEST_F(HungApplication, DoesNotStopCloseAll)
{
    pressAlt(VK_DELETE);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(livelyWindow); })) << "close-all stopped at the hung window";
    EXPECT_TRUE(IsWindow(frozenWindow));

    HostedWindows later{"Later"};
    HWND laterWindow = later.window("Later");
    pressAlt(VK_F2);
    EXPECT_TRUE(waitUntil([&] { return !visible(laterWindow); })) << "the next hotkey did not act";
    lumenfold.terminate();
    EXPECT_EQ(lumenfold.waitForExit(), 0u);
    EXPECT_TRUE(visible(laterWindow));
}

} // namespace
