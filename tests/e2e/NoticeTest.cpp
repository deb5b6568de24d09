#include "ProgramDriver.h"
#include "ScreenPicture.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

namespace {

// The notice: a tooltip with the new desktop's name in the top left corner of the screen.
class Notice : public ::testing::Test {
protected:
    // The program's visible notice, or null.
    HWND visibleNotice() const
    {
        for (HWND tip = FindWindowA("tooltips_class32", nullptr); tip != nullptr;
             tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) {
            if (processOf(tip) == lumenfold.processId() && IsWindowVisible(tip))
                return tip;
        }
        return nullptr;
    }

    static std::string noticeText(HWND notice)
    {
        char text[32] = {};
        SendMessageTimeoutA(notice, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                            nullptr);
        return text;
    }

    // True when the screen inside the notice's rectangle shows the tooltip's background and text
    // colours, that is, when the name has been painted there.
    static bool paintedOnScreen(HWND notice)
    {
        RECT area;
        GetWindowRect(notice, &area);
        Picture onScreen = Picture::ofScreen(area);
        return onScreen.contains(GetSysColor(COLOR_INFOBK)) && onScreen.contains(GetSysColor(COLOR_INFOTEXT));
    }

    RunningLumenfold lumenfold;
};

// The program's thread sleeps while the transient notice is up, so the notice cannot be asked for
// its text then; what the screen shows is checked instead. The kept notice below answers.
TEST_F(Notice, IsPaintedInTheTopLeftCornerForHalfASecond)
{
    prepareFirstRun(Settings::NoticeTooltip);
    ASSERT_TRUE(lumenfold.start());
    pressAlt(VK_F2);

    HWND notice = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (notice = visibleNotice()) != nullptr && paintedOnScreen(notice); }, 5000))
        << "no notice was painted";
    RECT area;
    GetWindowRect(notice, &area);
    EXPECT_LT(area.left, 20);
    EXPECT_LT(area.top, 20);

    EXPECT_TRUE(waitUntil([&] { return visibleNotice() == nullptr; }, 5000)) << "the notice did not go away";
    lumenfold.terminate();
    EXPECT_EQ(lumenfold.waitForExit(), 0u);
}

TEST_F(Notice, StaysUntilTheNextSwitchWhenAskedTo)
{
    prepareFirstRun(Settings::NoticeTooltip | Settings::NoticeTooltipAlways);
    ASSERT_TRUE(lumenfold.start());
    pressAlt(VK_F3);
    ASSERT_TRUE(waitUntil([&] { HWND notice = visibleNotice(); return notice && noticeText(notice) == "VirtDesk3"; }));

    pressAlt(VK_F1);
    EXPECT_TRUE(waitUntil([&] { HWND notice = visibleNotice(); return notice && noticeText(notice) == "VirtDesk1"; }))
        << "the kept notice was not replaced by the next switch";
    lumenfold.terminate();
    EXPECT_EQ(lumenfold.waitForExit(), 0u);
}

} // namespace
