#include "app/HotkeyDispatcher.h"
#include "app/MainLoop.h"
#include "app/MainWindow.h"
#include "tests/support/ModelTest.h"

namespace {

// Desktops 1 and 3 of a first run.
const HotkeyCode Desk1Key = packHotkey(MOD_ALT, VK_F1), Desk3Key = packHotkey(MOD_ALT, VK_F3);

bool loopOverran = false;
void CALLBACK endOverrunningLoop(HWND, UINT, UINT_PTR, DWORD) { loopOverran = true; PostQuitMessage(0); }

class MainLoopHotkeys : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        settings.load();
        settings.noticeFlags = 0; // the half-second notice would only slow the tests down
    }

    // A press as the system reports it: the registration's id, the modifiers in the low word.
    void queueHotkey(HotkeyCode pressed, int id)
    {
        PostThreadMessageA(GetCurrentThreadId(), WM_HOTKEY, id,
                           MAKELPARAM(hotkeyModifiers(pressed), hotkeyVirtualKey(pressed)));
    }

    void queueReady() { PostMessageA(mainWindow.handle(), ReadyMessage, 0, 0); } // as completeStartup does

    // Runs the main loop over everything queued so far. The quit message comes out of the queue
    // only once the posted messages are gone; a timer ends a loop that missed it.
    DesktopId runQueued()
    {
        PostQuitMessage(0);
        loopOverran = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 10000, endOverrunningLoop);
        MainLoop(dispatcher).run();
        KillTimer(nullptr, timer);
        EXPECT_FALSE(loopOverran) << "the main loop did not end at the quit message";
        return desktops.currentId();
    }

    HotkeyDispatcher dispatcher{desktops, settings};
};

// Had the early press been kept for later, desktop 3 and then "next" would end on desktop 3;
// had the loop never armed, it would stay on desktop 1.
TEST_F(MainLoopHotkeys, APressBeforeStartupCompletedIsDiscardedNotDeferred)
{
    queueHotkey(Desk3Key, 3 + HotkeyIdDesktopBase);
    queueReady();
    queueHotkey(settings.nextDesk, Settings::HotkeyIdNext);
    EXPECT_EQ(runQueued(), 2);
}

// No wrap-around at either end. A desktop's combination that is also "next" acts twice, the
// desktop's first: from desktop 3 it ends on 2 (on 1 the other way).
TEST_F(MainLoopHotkeys, ArmedPressesActByCombinationWhateverTheirIdAndNeverWrapAround)
{
    const HotkeyCode unknown = packHotkey(MOD_ALT, VK_F8);
    const struct { DesktopId from; HotkeyCode pressed, next; int id; DesktopId to; } presses[] = {
        {1, Desk3Key, settings.nextDesk, Settings::HotkeyIdNext, 3}, {3, Desk1Key, settings.nextDesk, 999, 1},
        {1, unknown, settings.nextDesk, 3 + HotkeyIdDesktopBase, 1},
        {3, settings.nextDesk, settings.nextDesk, Settings::HotkeyIdNext, 3},
        {1, settings.prevDesk, settings.nextDesk, Settings::HotkeyIdPrev, 1},
        {3, Desk1Key, Desk1Key, 1 + HotkeyIdDesktopBase, 2}};
    for (const auto& press : presses) {
        settings.nextDesk = press.next; // the field only: registering it could clash with a desktop's
        desktops.switchTo(press.from);
        queueReady();
        queueHotkey(press.pressed, press.id);
        EXPECT_EQ(runQueued(), press.to) << "from " << press.from << ", id " << press.id;
    }
}

} // namespace
