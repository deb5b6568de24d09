#include "ProgramDriver.h"
#include "ScreenPicture.h"
#include "app/MessageCatalog.h"
#include "app/NumberIcon.h"
#include "res/resource.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

namespace {

const int TaskbarRows = 40;

// The taskbar runs along the bottom of the screen.
RECT bottomOfScreen(int rows)
{
    return RECT{0, GetSystemMetrics(SM_CYSCREEN) - rows, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override
    {
        paintWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    }

    void TearDown() override { DestroyWindow(paintWindow); }

    Picture numberIcon(int number)
    {
        HICON icon = composeNumberIcon(paintWindow, number, messages);
        Picture picture = Picture::ofIcon(icon);
        DestroyIcon(icon);
        return picture;
    }

    static Picture programIcon()
    {
        return Picture::ofIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM)));
    }

    static bool shown(const Picture& icon, DWORD timeoutMs = 10000)
    {
        return waitUntil([&] { return Picture::ofScreen(bottomOfScreen(TaskbarRows)).find(icon).has_value(); }, timeoutMs);
    }

    char language[4] = "eng";
    MessageCatalog messages{language};
    HWND paintWindow = nullptr;
};

TEST_F(TrayIcon, ShowsTheDesktopNumberAndFollowsEverySwitch)
{
    prepareFirstRun(Settings::NoticeTrayNumber);
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    EXPECT_TRUE(shown(numberIcon(1))) << "01 is not in the notification area after start-up";

    pressAlt(VK_F3);
    EXPECT_TRUE(shown(numberIcon(3))) << "the icon did not follow the switch to desktop 3";
    pressAlt(VK_LEFT);
    EXPECT_TRUE(shown(numberIcon(2))) << "the icon did not follow the switch to desktop 2";

    lumenfold.terminate();
    ASSERT_EQ(lumenfold.waitForExit(), 0u);
    EXPECT_TRUE(waitUntil([&] { return !Picture::ofScreen(bottomOfScreen(TaskbarRows)).find(numberIcon(2)); }))
        << "the icon stayed after the exit";
}

TEST_F(TrayIcon, ShowsTheProgramIconWithoutTheNumberOption)
{
    prepareFirstRun(0);
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    EXPECT_TRUE(shown(programIcon()));
    pressAlt(VK_F2);
    pressAlt(VK_F1);
    EXPECT_TRUE(shown(programIcon()));
}

// Resting the mouse on the icon shows the shell's tooltip for it. The tooltip control answers
// WM_GETTEXT with the text it shows.
TEST_F(TrayIcon, CarriesTheTooltipLumenfold)
{
    prepareFirstRun(Settings::NoticeTrayNumber);
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    std::optional<POINT> icon;
    ASSERT_TRUE(waitUntil([&] { return (icon = Picture::ofScreen(bottomOfScreen(TaskbarRows)).find(numberIcon(1))).has_value(); }));

    int half = GetSystemMetrics(SM_CXSMICON) / 2;
    SetCursorPos(icon->x + half - 3, icon->y + half);
    SetCursorPos(icon->x + half, icon->y + half);
    HWND tooltip = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        tooltip = FindWindowA("tooltips_class32", nullptr);
        for (; tooltip != nullptr; tooltip = FindWindowExA(nullptr, tooltip, "tooltips_class32", nullptr)) {
            char text[64] = {};
            SendMessageTimeoutA(tooltip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                1000, nullptr);
            if (IsWindowVisible(tooltip) && std::string(text) == "Lumenfold")
                return true;
        }
        return false;
    })) << "no tooltip \"Lumenfold\" appeared over the icon";
}

} // namespace
