#include "tests/support/ModelTest.h"
#include "tests/support/TestSupport.h"

#include <vector>

// Adding, renaming and deleting desktops, their hotkeys, the refusals of a name in another letter
// case or of another desktop's hotkey, and loading past unreadable values are the options dialog's
// and the registry's end-to-end tests; here what those cannot reach.
namespace {

class DesktopModel : public ModelTest {
protected:
    std::vector<HWND> listed(DesktopId id)
    {
        std::vector<HWND> windows;
        for (int index = 0; index < desktops.windowCount(id); ++index)
            windows.push_back(desktops.windowAt(id, index)->hwnd);
        return windows;
    }
};

// Sent to its own desktop or to no desktop, a window stays where it is.
TEST_F(DesktopModel, AWindowSentToAnotherDesktopIsHiddenAndBecomesItsTopWindow)
{
    TestWindow first("Sent first"), second("Sent second"), staying("Staying");
    for (DesktopId nowhereNew : {1, 0, 4}) {
        desktops.sendWindowTo(nowhereNew, staying.handle());
        EXPECT_TRUE(staying.visible()) << "sent to " << nowhereNew;
    }
    desktops.sendWindowTo(2, first.handle());
    desktops.sendWindowTo(2, second.handle());
    EXPECT_FALSE(first.visible() || second.visible());
    EXPECT_EQ(listed(2), (std::vector<HWND>{first.handle(), second.handle()}));
    EXPECT_EQ(listed(1), std::vector<HWND>{staying.handle()});

    desktops.switchTo(2);
    EXPECT_TRUE(first.visible() && second.visible());
    EXPECT_FALSE(staying.visible());
    EXPECT_TRUE(isAbove(second.handle(), first.handle()));
    EXPECT_EQ(GetForegroundWindow(), second.handle());
}

// Close-all on a hidden desktop goes on past a window that refuses; a window that stayed after
// answering is shown, not left hidden.
TEST_F(DesktopModel, ClosedAndDecliningWindowsLeaveTheDesktopAndRefusingOnesStay)
{
    TestWindow closing("Closes"), refusing("Refuses", TestWindow::OnClose::Refuse),
        declining("Declines", TestWindow::OnClose::Decline);
    for (const TestWindow* window : {&closing, &refusing, &declining})
        desktops.sendWindowTo(2, window->handle());

    desktops.closeAllApps(2);
    EXPECT_FALSE(IsWindow(closing.handle()));
    EXPECT_TRUE(declining.visible());
    EXPECT_FALSE(refusing.visible());
    EXPECT_EQ(listed(2), std::vector<HWND>{refusing.handle()});
}

// A combination that another program holds is refused, the old one staying registered; no hotkey
// never collides; a deleted desktop's combination is free again. A name is compared as it will be
// kept, cut to 14 characters; only the next id creates a desktop.
TEST_F(DesktopModel, HotkeysHeldElsewhereNamesCutToTheirLengthAndIdsPastTheNextAreRefused)
{
    const HotkeyCode AltF1 = packHotkey(MOD_ALT, VK_F1), AltF2 = packHotkey(MOD_ALT, VK_F2);
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x2001, MOD_ALT, VK_F9)); // as another program holding it
    EXPECT_FALSE(desktops.setHotkey(2, packHotkey(MOD_ALT, VK_F9)));
    UnregisterHotKey(nullptr, 0x2001);
    EXPECT_TRUE(desktops.hotkeyOf(2) == AltF2 && hotkeyTaken(AltF2));
    EXPECT_TRUE(desktops.setHotkey(2, 0) && desktops.setHotkey(3, 0));
    EXPECT_FALSE(hotkeyTaken(AltF2));
    desktops.switchTo(3);
    ASSERT_TRUE(desktops.deleteDesktop(1));
    EXPECT_FALSE(hotkeyTaken(AltF1));

    ASSERT_TRUE(desktops.setName(3, "FourteenLetter"));
    EXPECT_FALSE(desktops.setName(4, "FourteenLetters"));
    EXPECT_FALSE(desktops.setName(0, "Zero"));
    EXPECT_FALSE(desktops.setName(6, "Sixth"));
    EXPECT_EQ(desktops.idEnd(), 4);
}

} // namespace
