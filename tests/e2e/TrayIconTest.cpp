#include "ProgramDriver.h"
#include "ScreenPicture.h"
#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

// Where the icon is in the taskbar, once it shows there.
std::optional<POINT> shownAt(const Picture& icon)
{
    std::optional<POINT> found;
    waitUntil([&] { return (found = Picture::ofTaskbar().find(icon)).has_value(); });
    return found;
}

// "ShowCurDeskMsg" 4 asks for the number in the tray.
class TrayIcon : public ::testing::Test {
protected:
    Picture numberIcon(int number)
    {
        HICON icon = composeNumberIcon(paintWindow, number, messages);
        Picture picture = Picture::ofIcon(icon);
        DestroyIcon(icon);
        return picture;
    }

    void TearDown() override { DestroyWindow(paintWindow); }

    char language[4] = "eng";
    MessageCatalog messages{language};
    // Not titled as the program's main window, which the tests look for.
    HWND paintWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    RunningLumenfold lumenfold;
};

TEST_F(TrayIcon, ShowsTheDesktopNumberAndFollowsEverySwitch)
{
    prepareFirstRun(4);
    ASSERT_TRUE(lumenfold.start());
    EXPECT_TRUE(shownAt(numberIcon(1))) << "01 is not in the notification area after start-up";
    pressAlt(VK_F3);
    EXPECT_TRUE(shownAt(numberIcon(3))) << "the icon did not follow the switch to desktop 3";
    pressAlt(VK_LEFT);
    EXPECT_TRUE(shownAt(numberIcon(2))) << "the icon did not follow the switch to desktop 2";

    lumenfold.terminate();
    ASSERT_EQ(lumenfold.waitForExit(), 0u);
    Picture two = numberIcon(2);
    EXPECT_TRUE(waitUntil([&] { return !Picture::ofTaskbar().find(two); })) << "the icon stayed after the exit";
}

// Without the number option the program's own icon shows. Resting the mouse on it shows the
// shell's tooltip for it, which answers WM_GETTEXT.
TEST_F(TrayIcon, ShowsTheProgramIconWithTheTooltipLumenfoldWithoutTheNumberOption)
{
    prepareFirstRun(0);
    ASSERT_TRUE(lumenfold.start());
    std::optional<POINT> icon = shownAt(Picture::ofIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM))));
    ASSERT_TRUE(icon) << "the program's icon is not in the notification area";
    int half = GetSystemMetrics(SM_CXSMICON) / 2;
    SetCursorPos(icon->x + half - 3, icon->y + half);
    SetCursorPos(icon->x + half, icon->y + half);
    EXPECT_TRUE(findTopLevel([](HWND tip) {
        char text[64] = {};
        return className(tip) == "tooltips_class32" && IsWindowVisible(tip) &&
               SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                   1000, nullptr) && std::string(text) == "Lumenfold";
    }, 10000)) << "no tooltip \"Lumenfold\" appeared over the icon";
}

} // namespace
