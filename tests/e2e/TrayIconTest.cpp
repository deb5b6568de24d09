#include "DialogDriver.h"
#include "ScreenPicture.h"
#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"

#include <gtest/gtest.h>

namespace {

// "ShowCurDeskMsg" 4 asks for the number in the tray; without it the program's own icon shows,
// which the tray menu's tests find. Resting the mouse on the icon shows the shell's tooltip for it.
TEST(TrayIcon, ShowsTheDesktopNumberWithTheTooltipLumenfoldAndFollowsEverySwitch)
{
    // Not titled as the program's main window, which the tests look for.
    HWND paintWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    auto numberIcon = [&](int number) {
        HICON icon = composeNumberIcon(paintWindow, number, MessageCatalog("eng"));
        Picture picture = Picture::ofIcon(icon);
        DestroyIcon(icon);
        return picture;
    };
    prepareFirstRun(4);
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    std::optional<POINT> icon = onTaskbar(numberIcon(1));
    ASSERT_TRUE(icon) << "01 is not in the notification area after start-up";
    SetCursorPos(icon->x - 3, icon->y);
    SetCursorPos(icon->x, icon->y);
    EXPECT_TRUE(findTopLevel([](HWND tip) {
        return className(tip) == "tooltips_class32" && visible(tip) && controlText(tip) == "Lumenfold";
    }, 10000)) << "no tooltip \"Lumenfold\" appeared over the icon";
    SetCursorPos(0, 0); // the tooltip goes, so that it cannot cover the icon

    pressAlt(VK_F3);
    EXPECT_TRUE(onTaskbar(numberIcon(3))) << "the icon did not follow the switch to desktop 3";
    pressAlt(VK_LEFT);
    EXPECT_TRUE(onTaskbar(numberIcon(2))) << "the icon did not follow the switch to desktop 2";

    lumenfold.terminate();
    ASSERT_EQ(lumenfold.waitForExit(), 0u);
    Picture two = numberIcon(2);
    EXPECT_TRUE(waitUntil([&] { return !Picture::ofTaskbar().find(two); })) << "the icon stayed after the exit";
    DestroyWindow(paintWindow);
}

} // namespace
