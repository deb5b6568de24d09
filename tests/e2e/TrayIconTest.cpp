#include "ProgramDriver.h"
#include "tests/support/ScreenPicture.h"
#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"

#include <gtest/gtest.h>

namespace {

// "ShowCurDeskMsg" 4 asks for the number in the tray; without it the program's own icon shows,
// which the tray menu's tests find. The tip the shell shows over it is the unit tests'.
TEST(TrayIcon, ShowsTheDesktopNumberAndFollowsEverySwitch)
{
    // Not titled as the program's main window, which the tests look for.
    HWND paintWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    auto numberIcon = [&](int number) {
        HICON icon = composeNumberIcon(paintWindow, number, MessageCatalog("eng"));
        IconPicture picture(icon);
        DestroyIcon(icon);
        return picture;
    };
    prepareFirstRun(4);
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    ASSERT_TRUE(onTaskbar(numberIcon(1))) << "01 is not in the notification area after start-up";
    pressAlt(VK_F3);
    EXPECT_TRUE(onTaskbar(numberIcon(3))) << "the icon did not follow the switch to desktop 3";
    pressAlt(VK_LEFT);
    EXPECT_TRUE(onTaskbar(numberIcon(2))) << "the icon did not follow the switch to desktop 2";

    lumenfold.terminate();
    ASSERT_EQ(lumenfold.waitForExit(), 0u);
    IconPicture two = numberIcon(2);
    EXPECT_TRUE(waitUntil([&] { return !onTaskbar(two, 0); })) << "the icon stayed after the exit";
    DestroyWindow(paintWindow);
}

} // namespace
