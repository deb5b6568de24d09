#include "ProgramDriver.h"
#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"
#include "tests/support/ScreenPicture.h"

#include <gtest/gtest.h>

namespace {

// "ShowCurDeskMsg" 1 | 4: after each switch a tooltip in the top left corner of the screen, gone
// after half a second (a kept one naming the desktop is the Russian tests'), and the desktop's
// number in the tray instead of the program's icon (which the switching test clicks). The
// notice's thread sleeps while it is up, so its window, not its painting, is checked, untimed; a
// busy machine may miss a notice, so up to three switches are watched.
TEST(Notices, ATransientTooltipAndTheTrayNumberFollowEverySwitch)
{
    // Not titled as the program's main window, which the tests look for.
    HWND paintWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    auto numberIcon = [&](int number) {
        HICON icon = composeNumberIcon(paintWindow, number, MessageCatalog("eng"));
        IconPicture picture(icon);
        DestroyIcon(icon);
        return picture;
    };
    prepareFirstRun(1 | 4);
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    ASSERT_TRUE(onTaskbar(numberIcon(1))) << "01 is not in the notification area after start-up";

    HWND notice = nullptr;
    RECT area = {};
    int desktop = 0; // the one whose notice was seen
    for (WORD key : {VK_F3, VK_F2, VK_F3}) {
        // Any notice seen after the key is then the one of this switch.
        ASSERT_TRUE(waitUntil([&] { return !visibleNotice(lumenfold.id()); }, 3000)) << "an earlier notice stayed";
        pressAlt(key);
        desktop = key - VK_F1 + 1;
        if (waitUntil([&] { return (notice = visibleNotice(lumenfold.id())) && GetWindowRect(notice, &area); },
                      5000))
            break;
        notice = nullptr;
    }
    ASSERT_NE(notice, nullptr) << "no notice appeared";
    EXPECT_LT(area.left, 20);
    EXPECT_LT(area.top, 20);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(notice); }, 3000)) << "the notice stayed";
    EXPECT_TRUE(onTaskbar(numberIcon(desktop))) << "the icon did not follow the switch to desktop " << desktop;
    pressAlt(VK_LEFT);
    EXPECT_TRUE(onTaskbar(numberIcon(desktop - 1))) << "the icon did not follow the switch to the previous desktop";

    ASSERT_EQ(lumenfold.terminate(), 0u);
    IconPicture last = numberIcon(desktop - 1);
    EXPECT_TRUE(waitUntil([&] { return !onTaskbar(last, 0); })) << "the icon stayed after the exit";
    DestroyWindow(paintWindow);
}

} // namespace
