#include "ProgramDriver.h"

#include <gtest/gtest.h>

namespace {

// The notice: a tooltip with the new desktop's name in the top left corner of the screen. The
// flags are the stored bits of "ShowCurDeskMsg": 1 a notice, 2 kept until the next switch.
class Notice : public ::testing::Test {
protected:
    HWND visibleNotice() const
    {
        return findTopLevel([&](HWND tip) {
            return className(tip) == "tooltips_class32" && processOf(tip) == lumenfold.processId() && IsWindowVisible(tip);
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
    int seen = 0;
    for (WORD key : {VK_F2, VK_F3, VK_F1}) {
        // Any notice seen after the key is then the one of this switch.
        ASSERT_TRUE(waitUntil([&] { return visibleNotice() == nullptr; }, 3000)) << "an earlier notice stayed";
        pressAlt(key);
        HWND notice = nullptr;
        RECT area = {};
        if (!waitUntil([&] { return (notice = visibleNotice()) && GetWindowRect(notice, &area); }, 5000))
            continue;
        ++seen;
        EXPECT_LT(area.left, 20);
        EXPECT_LT(area.top, 20);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(notice); }, 3000)) << "the notice stayed";
        break;
    }
    EXPECT_GT(seen, 0) << "no notice appeared";
}

TEST_F(Notice, IsKeptUntilTheNextSwitchWhenAskedTo)
{
    auto shows = [&](const std::string& name) {
        return waitUntil([&] {
            char text[32] = {};
            HWND notice = visibleNotice();
            return notice && SendMessageTimeoutA(notice, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                                 SMTO_ABORTIFHUNG, 1000, nullptr) && name == text;
        });
    };
    prepareFirstRun(1 | 2);
    ASSERT_TRUE(lumenfold.start());
    pressAlt(VK_F3);
    ASSERT_TRUE(shows("VirtDesk3"));
    pressAlt(VK_F1);
    EXPECT_TRUE(shows("VirtDesk1")) << "the kept notice was not replaced by the next switch";
}

} // namespace
