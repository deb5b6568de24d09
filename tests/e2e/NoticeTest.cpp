#include "DialogDriver.h"

#include <gtest/gtest.h>

namespace {

// The notice: a tooltip with the new desktop's name in the top left corner of the screen. The
// flags are the stored bits of "ShowCurDeskMsg": 1 a notice, 2 kept until the next switch.
class Notice : public ::testing::Test {
protected:
    HWND visibleNotice(const std::string& text = "") const
    {
        return findTopLevel([&](HWND tip) {
            return className(tip) == "tooltips_class32" && processOf(tip) == lumenfold.processId() && visible(tip) &&
                   (text.empty() || controlText(tip) == text);
        });
    }

    RunningLumenfold lumenfold;
};

// The transient notice's thread sleeps while it is up, so its window, not its painting, is checked,
// untimed; a busy machine may miss a notice, so up to three switches are watched.
TEST_F(Notice, AppearsInTheTopLeftCornerAndGoesAway)
{
    prepareFirstRun(1);
    ASSERT_TRUE(lumenfold.start());
    HWND notice = nullptr;
    RECT area = {};
    for (WORD key : {VK_F2, VK_F3, VK_F1}) {
        // Any notice seen after the key is then the one of this switch.
        ASSERT_TRUE(waitUntil([&] { return visibleNotice() == nullptr; }, 3000)) << "an earlier notice stayed";
        pressAlt(key);
        if (waitUntil([&] { return (notice = visibleNotice()) && GetWindowRect(notice, &area); }, 5000))
            break;
        notice = nullptr;
    }
    ASSERT_NE(notice, nullptr) << "no notice appeared";
    EXPECT_LT(area.left, 20);
    EXPECT_LT(area.top, 20);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(notice); }, 3000)) << "the notice stayed";
}

// The Russian tests show a kept notice's name; here the next switch replaces it.
TEST_F(Notice, IsKeptUntilTheNextSwitchWhenAskedTo)
{
    prepareFirstRun(1 | 2);
    ASSERT_TRUE(lumenfold.start());
    pressAlt(VK_F3);
    ASSERT_TRUE(waitUntil([&] { return visibleNotice("VirtDesk3"); }));
    pressAlt(VK_F1);
    EXPECT_TRUE(waitUntil([&] { return visibleNotice("VirtDesk1"); })) << "the kept notice was not replaced";
}

} // namespace
