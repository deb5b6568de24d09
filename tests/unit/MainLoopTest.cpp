#include "app/HotkeyDispatcher.h"
#include "app/MainLoop.h"
#include "app/MainWindow.h"
#include "app/MessageCatalog.h"
#include "desktops/DesktopManager.h"
#include "desktops/LockedDesktops.h"
#include "tests/support/HiddenWindow.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/UnexpectedBoxWatch.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

namespace {

// Combinations that nothing else in the session uses, so that registering them cannot fail.
const int CtrlAltShift = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
const HotkeyCode Desk1Key = packHotkey(CtrlAltShift, VK_F9);
const HotkeyCode Desk3Key = packHotkey(CtrlAltShift, VK_F11);

// Three desktops with their own combinations, written before the settings are built so that no
// first-run desktops are. The names sort in the desktops' order: Wine enumerates by name.
struct OwnDesktops {
    OwnDesktops()
    {
        registry::resetProgramKeys();
        for (int id = 1; id <= 3; ++id)
            registry::write(registry::DesksKey, ("Desk" + std::to_string(id)).c_str(), REG_MULTI_SZ,
                            hotkeyText(packHotkey(CtrlAltShift, VK_F8 + id), true));
    }
};

bool loopOverran = false;

void CALLBACK endOverrunningLoop(HWND, UINT, UINT_PTR, DWORD) { loopOverran = true; PostQuitMessage(0); }

// The program's start-up in small: the desktops, then the default options, with the real
// dispatcher over the locked model.
class MainLoopHotkeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        desktops.attachMainWindow(mainWindow.handle());
        desktops.loadDesktops();
        settings.load();
        settings.noticeFlags = 0; // the half-second notice would only slow the tests down
        ASSERT_EQ(desktops.hotkeyOf(3), Desk3Key);
        ASSERT_EQ(settings.nextDesk, packHotkey(MOD_ALT, VK_RIGHT));
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
    void runQueued()
    {
        PostQuitMessage(0);
        loopOverran = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 10000, endOverrunningLoop);
        MainLoop(dispatcher).run();
        KillTimer(nullptr, timer);
        EXPECT_FALSE(loopOverran) << "the main loop did not end at the quit message";
    }

    OwnDesktops ownDesktops; // before the settings, which write their defaults when built
    char language[4] = "eng";
    MessageCatalog messages{language};
    Settings settings{messages};
    HiddenWindow mainWindow;
    DesktopManager manager{settings, messages};
    LockedDesktops desktops{manager};
    HotkeyDispatcher dispatcher{desktops, settings};
};

// Had the early press been kept for later, desktop 3 and then "next" would end on desktop 3;
// had the loop never armed, it would stay on desktop 1.
TEST_F(MainLoopHotkeys, APressBeforeStartupCompletedIsDiscardedNotDeferred)
{
    queueHotkey(Desk3Key, 3 + HotkeyIdDesktopBase);
    queueReady();
    queueHotkey(settings.nextDesk, Settings::HotkeyIdNext);
    runQueued();
    EXPECT_EQ(desktops.currentId(), 2);
}

// Armed presses act by their combination whatever their id, and "next" on the last desktop and
// "previous" on the first change nothing: there is no wrap-around.
TEST_F(MainLoopHotkeys, ArmedPressesActByCombinationWhateverTheirIdAndNeverWrapAround)
{
    const HotkeyCode unknown = packHotkey(CtrlAltShift, VK_F8);
    const struct { DesktopId from; HotkeyCode pressed; int id; DesktopId to; } presses[] = {
        {1, Desk3Key, Settings::HotkeyIdNext, 3}, {3, Desk1Key, 999, 1}, {1, unknown, 3 + HotkeyIdDesktopBase, 1},
        {3, settings.nextDesk, Settings::HotkeyIdNext, 3}, {1, settings.prevDesk, Settings::HotkeyIdPrev, 1}};
    for (const auto& press : presses) {
        desktops.switchTo(press.from);
        queueReady();
        queueHotkey(press.pressed, press.id);
        runQueued();
        EXPECT_EQ(desktops.currentId(), press.to) << "from " << press.from << ", id " << press.id;
    }
}

// Starting on desktop 3: the desktop's switch and then "next" end on 2; "next" first (which
// changes nothing on the last desktop) would end on 1.
TEST_F(MainLoopHotkeys, ACombinationOfADesktopAndOfNextActsTwiceDesktopFirst)
{
    settings.nextDesk = Desk1Key; // the field only: registering it would clash with desktop 1's
    desktops.switchTo(3);
    queueReady();
    queueHotkey(Desk1Key, 1 + HotkeyIdDesktopBase);
    runQueued();
    EXPECT_EQ(desktops.currentId(), 2);
}

} // namespace
