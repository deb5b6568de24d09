#include "app/MessageCatalog.h"
#include "desktops/DesktopManager.h"
#include "tests/support/HiddenWindow.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestWindow.h"
#include "tests/support/UnexpectedBoxWatch.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

const HotkeyCode AltF1 = packHotkey(MOD_ALT, VK_F1);
const HotkeyCode AltF2 = packHotkey(MOD_ALT, VK_F2);
const HotkeyCode AltF3 = packHotkey(MOD_ALT, VK_F3);

// True when a hotkey of this session holds the combination; a probe that succeeds is taken back.
bool taken(HotkeyCode code)
{
    if (RegisterHotKey(nullptr, 0x2000, hotkeyModifiers(code), hotkeyVirtualKey(code)))
        return !UnregisterHotKey(nullptr, 0x2000);
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

struct FreshRegistry {
    FreshRegistry() { registry::resetProgramKeys(); }
};

// A first run's model: three desktops on Alt+F1 to Alt+F3, desktop 1 current, and no notice
// (the options are not loaded, so the flags stay 0).
class DesktopModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        desktops.emplace(settings, messages);
        desktops->attachMainWindow(mainWindow.handle());
        desktops->loadDesktops();
        ASSERT_EQ(desktops->idEnd(), 4) << "a first run has three desktops";
    }

    // The windows filed on a desktop, in list order.
    std::vector<HWND> listed(DesktopId id) const
    {
        std::vector<HWND> windows;
        for (int index = 0; index < desktops->windowCount(id); ++index)
            windows.push_back(desktops->windowAt(id, index)->hwnd);
        return windows;
    }

    FreshRegistry freshRegistry; // before the settings, which write their defaults when built
    char language[4] = "eng";
    MessageCatalog messages{language};
    Settings settings{messages};
    HiddenWindow mainWindow;
    std::optional<DesktopManager> desktops;
};

using WindowPlacement = DesktopModel;
using DesktopHotkeys = DesktopModel;
using DesktopEditing = DesktopModel;

// Sent to another desktop, a window is hidden and becomes that desktop's top window; sent to its
// own desktop or to no desktop, it stays where it is.
TEST_F(WindowPlacement, AWindowSentToAnotherDesktopIsHiddenAndBecomesItsTopWindow)
{
    TestWindow first("Sent first");
    TestWindow second("Sent second");
    TestWindow staying("Staying");
    for (DesktopId nowhereNew : {1, 0, 4}) {
        desktops->sendWindowTo(nowhereNew, staying.handle());
        EXPECT_TRUE(staying.visible()) << "sent to " << nowhereNew;
    }
    desktops->sendWindowTo(2, first.handle());
    desktops->sendWindowTo(2, second.handle());
    EXPECT_FALSE(first.visible() || second.visible());
    EXPECT_EQ(listed(2), (std::vector<HWND>{first.handle(), second.handle()}));
    EXPECT_EQ(listed(1), std::vector<HWND>{staying.handle()});

    desktops->switchTo(2);
    EXPECT_TRUE(first.visible() && second.visible());
    EXPECT_FALSE(staying.visible());
    EXPECT_TRUE(isAbove(second.handle(), first.handle()));
    EXPECT_EQ(GetForegroundWindow(), second.handle());
}

TEST_F(WindowPlacement, AReleasedWindowIsShownListedNowhereAndFiledUnderTheNextDesktopLeft)
{
    TestWindow window("Released");
    desktops->sendWindowTo(3, window.handle());
    ASSERT_FALSE(window.visible());
    desktops->releaseWindow(window.handle());
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(desktops->windowCount(1) + desktops->windowCount(2) + desktops->windowCount(3), 0) << "listed";

    desktops->switchTo(2);
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(listed(1), std::vector<HWND>{window.handle()});
}

TEST_F(WindowPlacement, ClosedAndDecliningWindowsLeaveTheDesktopAndRefusingOnesStay)
{
    TestWindow closing("Closes", TestWindow::OnClose::Close);
    TestWindow declining("Declines", TestWindow::OnClose::Decline);
    TestWindow refusing("Refuses", TestWindow::OnClose::Refuse);
    for (const TestWindow* window : {&closing, &declining, &refusing})
        desktops->sendWindowTo(2, window->handle());

    desktops->closeAllApps(2);
    EXPECT_FALSE(closing.exists());
    EXPECT_TRUE(declining.visible()) << "a window that stayed must not be left hidden";
    EXPECT_FALSE(refusing.visible());
    EXPECT_EQ(listed(2), std::vector<HWND>{refusing.handle()});
    EXPECT_EQ(declining.closeRequests() + refusing.closeRequests(), 2);
}

// A new hotkey held by another desktop or another program is refused, and the old one still
// works; no hotkey, and a desktop's own hotkey, are always accepted.
TEST_F(DesktopHotkeys, ANewHotkeyHeldElsewhereIsRefusedAndTheOldOneStaysRegistered)
{
    const HotkeyCode AltF9 = packHotkey(MOD_ALT, VK_F9);
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x2001, MOD_ALT, VK_F9)); // as another program holding it
    EXPECT_FALSE(desktops->setHotkey(2, AltF3)) << "desktop 3's";
    EXPECT_FALSE(desktops->setHotkey(2, AltF9)) << "held elsewhere";
    UnregisterHotKey(nullptr, 0x2001);
    EXPECT_EQ(desktops->hotkeyOf(2), AltF2);
    EXPECT_TRUE(taken(AltF2)) << "the old hotkey is registered again";

    EXPECT_TRUE(desktops->setHotkey(2, AltF2)) << "its own";
    EXPECT_TRUE(desktops->setHotkey(2, 0) && desktops->setHotkey(3, 0)) << "no hotkey never collides";
    EXPECT_FALSE(taken(AltF2) || taken(AltF3));
    EXPECT_TRUE(desktops->setHotkey(2, AltF9) && taken(AltF9));
}

// Each desktop holds its hotkey under its id plus 3; ids outside 1 to the count name no desktop.
TEST_F(DesktopHotkeys, DeletingADesktopMovesTheOnesAboveDownWithTheirHotkeys)
{
    ASSERT_TRUE(taken(AltF1) && taken(AltF2) && taken(AltF3));
    desktops->switchTo(3);
    ASSERT_TRUE(desktops->deleteDesktop(1));
    EXPECT_EQ(desktops->idEnd(), 3);
    for (DesktopId id : {0, 3, -1}) {
        EXPECT_FALSE(desktops->desktopName(id)) << "id " << id;
        EXPECT_EQ(desktops->hotkeyOf(id), 0u) << "id " << id;
    }
    EXPECT_EQ(desktops->currentId(), 2) << "the current desktop keeps being current under its new id";
    EXPECT_EQ(desktops->desktopName(1), "VirtDesk2");
    EXPECT_EQ(desktops->hotkeyOf(1), AltF2);
    EXPECT_EQ(desktops->hotkeyOf(2), AltF3);

    EXPECT_FALSE(taken(AltF1)) << "the deleted desktop's hotkey is still registered";
    EXPECT_FALSE(UnregisterHotKey(nullptr, 6)) << "id 6 belongs to no desktop any more";
    EXPECT_TRUE(UnregisterHotKey(nullptr, 5));
    EXPECT_FALSE(taken(AltF3)) << "id 5 did not hold the hotkey of the desktop now numbered 2";
    EXPECT_TRUE(taken(AltF2));

    auto stored = registry::readAll(registry::DesksKey);
    EXPECT_EQ(stored.size(), 2u);
    EXPECT_EQ(registry::handedOverText(stored["VirtDesk2"]), "1 113\n");
    EXPECT_EQ(registry::handedOverText(stored["VirtDesk3"]), "1 114\n");
}

// A name too long to be a desktop's sorts between two good ones; loading passes over it alone.
TEST_F(DesktopModel, AValueThatCannotBeReadDoesNotHideTheDesktopsAfterIt)
{
    registry::deleteKey(registry::DesksKey);
    for (const char* name : {"Alpha", "Bravo-is-far-too-long", "Charlie"})
        registry::write(registry::DesksKey, name, REG_MULTI_SZ, "0 0");
    desktops.reset(); // its tray icon goes, so that the next can be added
    desktops.emplace(settings, messages);
    desktops->attachMainWindow(mainWindow.handle());
    desktops->loadDesktops();
    EXPECT_EQ(desktops->idEnd(), 3);
    EXPECT_EQ(desktops->desktopName(2), "Charlie");
}

// The registry compares value names without regard to case: two such desktops would share one value.
TEST_F(DesktopEditing, NamesMustDifferFromEveryOtherDesktopsEvenInLetterCase)
{
    EXPECT_FALSE(desktops->setName(2, "VIRTDESK1"));
    EXPECT_EQ(desktops->desktopName(2), "VirtDesk2");
    EXPECT_TRUE(desktops->setName(2, "VirtDesk2")) << "a desktop may keep its own name";
    EXPECT_FALSE(desktops->setName(4, "virtdesk3"));
    EXPECT_TRUE(desktops->setName(4, "Fourth"));
    EXPECT_EQ(registry::readAll(registry::DesksKey).count("Fourth"), 1u);

    ASSERT_TRUE(desktops->setName(4, "FourteenLetter"));
    EXPECT_FALSE(desktops->setName(5, "FourteenLetters")) << "a name is compared as it is kept, cut to 14 characters";
    EXPECT_FALSE(desktops->setName(0, "Zero"));
    EXPECT_FALSE(desktops->setName(7, "Seventh")) << "only the next id creates a desktop";
    EXPECT_EQ(desktops->idEnd(), 5);
}

} // namespace
