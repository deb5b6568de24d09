#include "ProgramDriver.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

// Wine's notepad with an empty document, another program's Alpha and Beta and, on top, a window
// whose thread sleeps, hung before Lumenfold starts. Notepad asks whether to save when closed and
// the user cancels; neither that nor the hung window may freeze Lumenfold, and the hung window
// keeps its place. A right click while notepad asks opens the tray menu only once answered: inside
// the close-all, the menu would wait for the lock that thread holds.
TEST(Switching, WindowsComeBackInTheirOrderAndNeitherAQuestionNorAHungWindowStopsCloseAllOrTheExit)
{
    prepareFirstRun(0); // no notice, whose half second would only slow the tests down
    ChildProcess notepadProcess;
    ASSERT_TRUE(notepadProcess.start("notepad.exe"));
    HWND notepad = findWindowOfProcess(notepadProcess.id(), "Untitled - Notepad");
    ASSERT_NE(notepad, nullptr);
    WaitForInputIdle(notepadProcess.handle(), 10000);
    HostedWindows hosted{"Alpha", "Beta"};
    HostedWindows frozen({"Frozen"}, "--hang");
    HWND alpha = hosted.window("Alpha"), beta = hosted.window("Beta"), hung = frozen.window("Frozen");
    ASSERT_TRUE(hosted.ready());
    ASSERT_TRUE(waitUntil([&] { return hostedMenuState(hung) == -1; })) << "the frozen window still answers";
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());

    // Under Wine a window that hands its focus to a child control (notepad) raises itself again after
    // another was activated above it; with notepad shown last, the order is the same as on Windows.
    // While a hung window holds the foreground, no key typed on the display reaches a hotkey.
    SetForegroundWindow(notepad);
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == notepad; }));
    ASSERT_TRUE(waitUntil([&] { return isAbove(notepad, beta) && isAbove(beta, alpha); }));
    ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(notepad) && !visible(alpha) && !visible(beta); }))
        << "the switch stopped at the hung window";
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() != hung; }));
    ASSERT_TRUE(pressAltUntil(VK_F1, [&] { return visible(notepad) && visible(alpha) && visible(beta); }));
    // The windows of two programs are shown by their own threads, each at its own pace.
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == notepad; })) << "the top window is not active";
    EXPECT_TRUE(waitUntil([&] { return isAbove(notepad, beta) && isAbove(beta, alpha); }))
        << "the stacking order was not restored";

    HostedWindows opened{"Opened after the switch"};
    HWND late = opened.window("Opened after the switch");
    ASSERT_TRUE(visible(late));
    HWND editor = FindWindowExA(notepad, nullptr, "Edit", nullptr);
    SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Unsaved words"));
    SendMessageA(editor, EM_SETMODIFY, TRUE, 0); // so that closing asks whether to save
    pressAlt(VK_DELETE);
    HWND question = findMessageBox(processOf(notepad));
    ASSERT_NE(question, nullptr) << "notepad did not ask whether to save";
    ASSERT_TRUE(rightClickTrayIcon());
    EXPECT_FALSE(menuShown(true, 1000)) << "the menu opened inside the close-all";
    pressButton(question, IDCANCEL);
    EXPECT_TRUE(menuShown()) << "the click was lost, or the menu waited on the hung window";
    typeKeys({VK_ESCAPE});
    EXPECT_TRUE(menuShown(false));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(alpha) && !IsWindow(beta) && !IsWindow(late); }))
        << "a window of the current desktop was not closed";
    EXPECT_TRUE(visible(notepad) && IsWindow(hung));
    EXPECT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(notepad); })) << "the hotkey after close-all did not act";
    EXPECT_EQ(lumenfold.terminate(), 0u) << "Terminate did not end the program";
    EXPECT_TRUE(visible(notepad)) << "a hidden window stayed hidden after the exit";
}

} // namespace
