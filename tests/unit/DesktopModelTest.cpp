#include "app/MessageCatalog.h"
#include "desktops/DesktopManager.h"
#include "tests/support/HiddenWindow.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"
#include "tests/support/UnexpectedBoxWatch.h"
#include "ui/Settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

const HotkeyCode AltF1 = packHotkey(MOD_ALT, VK_F1);
const HotkeyCode AltF2 = packHotkey(MOD_ALT, VK_F2);
const HotkeyCode AltF3 = packHotkey(MOD_ALT, VK_F3);

// True when a hotkey of this session holds the combination, so that registering it again fails.
// A registration that succeeds is taken back at once.
bool combinationTaken(HotkeyCode code)
{
    const int probeId = 0x2000;
    if (RegisterHotKey(nullptr, probeId, hotkeyModifiers(code), hotkeyVirtualKey(code))) {
        UnregisterHotKey(nullptr, probeId);
        return false;
    }
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

struct FreshRegistry {
    FreshRegistry() { registry::resetProgramKeys(); }
};

// A first run's model: three desktops on Alt+F1 to Alt+F3, desktop 1 current, and no notice
// unless a test asks for one (the options are not loaded, so the flags stay 0).
class DesktopModel : public ::testing::Test {
protected:
    DesktopModel()
    {
        // As the program's entry point does: the notice's tooltip class must be registered.
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void SetUp() override
    {
        ASSERT_NE(mainWindow.handle(), nullptr);
        desktops.emplace(settings, messages);
        desktops->attachMainWindow(mainWindow.handle());
        desktops->loadDesktops();
        ASSERT_EQ(desktops->idEnd(), 4) << "a first run has three desktops";
        ASSERT_EQ(desktops->currentId(), 1);
    }

    // The windows filed on a desktop, in list order.
    std::vector<HWND> listed(DesktopId id) const
    {
        std::vector<HWND> windows;
        for (int index = 0; index < desktops->windowCount(id); ++index)
            windows.push_back(desktops->windowAt(id, index)->hwnd);
        return windows;
    }

    bool listedAnywhere(HWND window) const
    {
        for (DesktopId id = 1; id < desktops->idEnd(); ++id) {
            for (HWND each : listed(id)) {
                if (each == window)
                    return true;
            }
        }
        return false;
    }

    FreshRegistry freshRegistry; // before the settings, which write their defaults when built
    char language[4] = "eng";
    MessageCatalog messages{language};
    Settings settings{messages};
    HiddenWindow mainWindow;
    std::optional<DesktopManager> desktops;
};

// The suites below share the fixture; their names group the cases in the test list.
using DesktopIds = DesktopModel;
using DesktopSwitching = DesktopModel;
using WindowPlacement = DesktopModel;
using ClosingApps = DesktopModel;
using DesktopHotkeys = DesktopModel;
using DesktopEditing = DesktopModel;

TEST_F(DesktopIds, IdsOutsideOneToCountNameNoDesktop)
{
    EXPECT_EQ(desktops->idEnd(), 4);
    EXPECT_EQ(desktops->desktopName(1), "VirtDesk1");
    EXPECT_EQ(desktops->desktopName(3), "VirtDesk3");
    EXPECT_EQ(desktops->hotkeyOf(1), AltF1);
    EXPECT_EQ(desktops->hotkeyOf(3), AltF3);
    for (DesktopId id : {0, 4, -1}) {
        EXPECT_FALSE(desktops->desktopName(id)) << "id " << id;
        EXPECT_EQ(desktops->hotkeyOf(id), 0u) << "id " << id;
    }
}

TEST_F(DesktopSwitching, WindowsOfTheDesktopLeftAreFiledBottomToTopAndComeBackInTheirOrder)
{
    TestWindow b("B");
    TestWindow a("A");
    ASSERT_TRUE(isAbove(a.handle(), b.handle()));

    desktops->switchTo(2);
    EXPECT_EQ(desktops->currentId(), 2);
    EXPECT_FALSE(a.visible());
    EXPECT_FALSE(b.visible());
    EXPECT_EQ(listed(1), (std::vector<HWND>{b.handle(), a.handle()}));
    EXPECT_EQ(desktops->windowAt(1, 0)->title, "B") << "each entry keeps the title it was filed with";

    desktops->switchTo(1);
    EXPECT_TRUE(a.visible());
    EXPECT_TRUE(b.visible());
    EXPECT_TRUE(isAbove(a.handle(), b.handle())) << "the stacking order was not restored";
    // Wine activates every window that it shows, so there this holds by the order of showing alone.
    EXPECT_EQ(GetForegroundWindow(), a.handle()) << "the top window of the desktop was not activated";
}

TEST_F(DesktopSwitching, AWindowOnAllDesktopsStaysVisibleAndIsFiledNowhere)
{
    TestWindow everywhere("On all desktops");
    everywhere.markOnAllDesktops();
    TestWindow filed("Filed on desktop 1");

    for (DesktopId id : {2, 3, 1}) {
        desktops->switchTo(id);
        EXPECT_TRUE(everywhere.visible()) << "after the switch to " << id;
        EXPECT_FALSE(listedAnywhere(everywhere.handle())) << "after the switch to " << id;
    }
    EXPECT_TRUE(filed.visible());
}

TEST_F(WindowPlacement, AWindowSentToAnotherDesktopIsHiddenAndBecomesItsTopWindow)
{
    TestWindow first("Sent first");
    TestWindow second("Sent second");
    TestWindow staying("Staying");

    desktops->sendWindowTo(2, first.handle());
    desktops->sendWindowTo(2, second.handle());
    EXPECT_FALSE(first.visible());
    EXPECT_FALSE(second.visible());
    EXPECT_TRUE(staying.visible());
    EXPECT_EQ(listed(2), (std::vector<HWND>{first.handle(), second.handle()}));

    desktops->switchTo(2);
    EXPECT_TRUE(first.visible());
    EXPECT_TRUE(second.visible());
    EXPECT_FALSE(staying.visible());
    EXPECT_TRUE(isAbove(second.handle(), first.handle()));
    EXPECT_EQ(GetForegroundWindow(), second.handle());
}

TEST_F(WindowPlacement, AWindowSentToItsOwnDesktopOrToNoDesktopStaysVisible)
{
    TestWindow window("Sent nowhere new");

    desktops->sendWindowTo(1, window.handle());
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(listed(1), std::vector<HWND>{window.handle()});

    for (DesktopId id : {0, 4}) {
        desktops->sendWindowTo(id, window.handle());
        EXPECT_TRUE(window.visible()) << "id " << id;
    }
    EXPECT_EQ(listed(1), std::vector<HWND>{window.handle()});
}

TEST_F(WindowPlacement, AReleasedWindowIsShownListedNowhereAndFiledUnderTheNextDesktopLeft)
{
    TestWindow window("Released");
    desktops->sendWindowTo(3, window.handle());
    ASSERT_FALSE(window.visible());
    ASSERT_EQ(listed(3), std::vector<HWND>{window.handle()});

    desktops->releaseWindow(window.handle());
    EXPECT_TRUE(window.visible());
    EXPECT_FALSE(listedAnywhere(window.handle()));

    desktops->switchTo(2);
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(listed(1), std::vector<HWND>{window.handle()});
    EXPECT_EQ(desktops->windowCount(3), 0);
}

TEST_F(WindowPlacement, CapturingListsEachVisibleWindowOnceAndReadingStopsAtTheEnd)
{
    TestWindow a("A");
    TestWindow b("B");

    desktops->captureVisible();
    desktops->captureVisible();
    EXPECT_EQ(desktops->windowCount(1), 2);
    EXPECT_TRUE(a.visible()) << "capturing hides nothing";
    EXPECT_TRUE(b.visible()) << "capturing hides nothing";

    EXPECT_FALSE(desktops->windowAt(1, 2));
}

TEST_F(ClosingApps, ClosedAndDecliningWindowsLeaveTheDesktopAndRefusingOnesStay)
{
    TestWindow closing("Closes", TestWindow::OnClose::Close);
    TestWindow declining("Declines", TestWindow::OnClose::Decline);
    TestWindow refusing("Refuses", TestWindow::OnClose::Refuse);
    for (const TestWindow* window : {&closing, &declining, &refusing})
        desktops->sendWindowTo(2, window->handle());
    ASSERT_EQ(desktops->windowCount(2), 3);

    desktops->closeAllApps(2);

    EXPECT_FALSE(closing.exists());
    EXPECT_TRUE(declining.visible()) << "a window that stayed must not be left hidden";
    EXPECT_FALSE(refusing.visible());
    EXPECT_EQ(listed(2), std::vector<HWND>{refusing.handle()});
    EXPECT_EQ(declining.closeRequests(), 1);
    EXPECT_EQ(refusing.closeRequests(), 1);
}

TEST_F(DesktopHotkeys, EachDesktopHoldsItsHotkeyUnderItsIdPlusThree)
{
    EXPECT_TRUE(combinationTaken(AltF1));
    EXPECT_TRUE(combinationTaken(AltF2));
    EXPECT_TRUE(combinationTaken(AltF3));

    EXPECT_TRUE(UnregisterHotKey(nullptr, 5)) << "desktop 2's hotkey is not under id 5";
    EXPECT_FALSE(combinationTaken(AltF2));
    EXPECT_TRUE(combinationTaken(AltF1));
    EXPECT_TRUE(combinationTaken(AltF3));
}

TEST_F(DesktopHotkeys, DeletingADesktopMovesTheOnesAboveDownWithTheirHotkeys)
{
    desktops->switchTo(3);
    ASSERT_TRUE(desktops->deleteDesktop(1));

    EXPECT_EQ(desktops->idEnd(), 3);
    EXPECT_EQ(desktops->currentId(), 2) << "the current desktop keeps being current under its new id";
    EXPECT_EQ(desktops->desktopName(1), "VirtDesk2");
    EXPECT_EQ(desktops->desktopName(2), "VirtDesk3");
    EXPECT_EQ(desktops->hotkeyOf(1), AltF2);
    EXPECT_EQ(desktops->hotkeyOf(2), AltF3);

    EXPECT_FALSE(combinationTaken(AltF1)) << "the deleted desktop's hotkey is still registered";
    EXPECT_TRUE(combinationTaken(AltF2));
    EXPECT_TRUE(combinationTaken(AltF3));
    EXPECT_FALSE(UnregisterHotKey(nullptr, 6)) << "id 6 belongs to no desktop any more";
    EXPECT_TRUE(UnregisterHotKey(nullptr, 5));
    EXPECT_FALSE(combinationTaken(AltF3)) << "id 5 did not hold the hotkey of the desktop now numbered 2";

    auto stored = registry::readAll(registry::DesksKey);
    EXPECT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored.count("VirtDesk2"), 1u);
    EXPECT_EQ(registry::handedOverText(stored["VirtDesk3"]), "1 114\n");
}

// The registry compares value names without regard to case: two such desktops would share one
// value and one of them would be gone at the next start.
TEST_F(DesktopEditing, NamesMustDifferFromEveryOtherDesktopsEvenInLetterCase)
{
    EXPECT_FALSE(desktops->setName(2, "VirtDesk1"));
    EXPECT_FALSE(desktops->setName(2, "VIRTDESK1"));
    EXPECT_EQ(desktops->desktopName(2), "VirtDesk2");
    EXPECT_TRUE(desktops->setName(2, "VirtDesk2")) << "a desktop may keep its own name";

    EXPECT_FALSE(desktops->setName(4, "virtdesk3"));
    EXPECT_EQ(desktops->idEnd(), 4);
    EXPECT_TRUE(desktops->setName(4, "Fourth"));
    EXPECT_EQ(desktops->idEnd(), 5);
    EXPECT_EQ(registry::readAll(registry::DesksKey).count("Fourth"), 1u);

    ASSERT_TRUE(desktops->setName(4, "FourteenLetter"));
    EXPECT_FALSE(desktops->setName(5, "FourteenLetters")) << "a name is compared as it is kept, cut to 14 characters";
    EXPECT_FALSE(desktops->setName(0, "Zero"));
    EXPECT_FALSE(desktops->setName(7, "Seventh")) << "only the next id creates a desktop";
    EXPECT_EQ(desktops->idEnd(), 5);
}

} // namespace
