#include "ProgramDriver.h"

#include <gtest/gtest.h>

namespace {

// The notice that "ShowCurDeskMsg" 1 asks for: a tooltip with the new desktop's name in the top
// left corner of the screen, gone after half a second (a kept one naming the desktop is the Russian
// tests'). Its thread sleeps while it is up, so its window, not its painting, is checked, untimed;
// a busy machine may miss a notice, so up to three switches are watched.
TEST(Notice, AppearsInTheTopLeftCornerAndGoesAway)
{
    prepareFirstRun(1);
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    HWND notice = nullptr;
    RECT area = {};
    for (WORD key : {VK_F2, VK_F3, VK_F1}) {
        // Any notice seen after the key is then the one of this switch.
        ASSERT_TRUE(waitUntil([&] { return !visibleNotice(lumenfold.processId()); }, 3000)) << "an earlier notice stayed";
        pressAlt(key);
        if (waitUntil([&] { return (notice = visibleNotice(lumenfold.processId())) && GetWindowRect(notice, &area); },
                      5000))
            break;
        notice = nullptr;
    }
    ASSERT_NE(notice, nullptr) << "no notice appeared";
    EXPECT_LT(area.left, 20);
    EXPECT_LT(area.top, 20);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(notice); }, 3000)) << "the notice stayed";
}

} // namespace
