#include "DialogDriver.h"

#include <algorithm>

// Run under a Russian locale (code page 1251): Wine converts an ANSI dialog's template text to it.
namespace {

const std::string Work = windows1251(L"Работа");

class Russian : public OptionsDialogTest {
protected:
    void SetUp() override { prepareFirstRun(1 | 2); } // a kept notice, which answers when asked
};

// A desktop renamed in Cyrillic is stored byte for byte, listed and announced by the notice. Russian
// closes the dialog and is stored; the next opening is the Russian template, its About dialog speaks
// Russian, and Terminate there ends the program with every window back. The next start reads the name back.
TEST_F(Russian, ACyrillicNameTheRussianMenuBarAboutAndTerminate)
{
    HostedWindows hosted{"Away"};
    open();
    rename(1, Work.c_str());
    ASSERT_TRUE(waitUntil([&] { return rows().names.at(1) == Work; }));
    EXPECT_EQ(storedText(registry::DesksKey, Work.c_str()), "1 113\n");
    chooseMenuCommand(dialog, CmdRussian);
    ASSERT_TRUE(waitGone(dialog));
    EXPECT_EQ(storedText(registry::OptionsKey, "Language"), "rus");

    HWND away = hosted.window("Away");
    EXPECT_TRUE(pressAltUntil(VK_F2, [&] {
        HWND notice = visibleNotice(lumenfold.id());
        return !visible(away) && notice != nullptr && controlText(notice) == Work;
    })) << "the notice names the desktop";

    open();
    EXPECT_EQ(controlText(item(IDC_ADD_DESKTOP)), windows1251(L"Добавить")) << "template 134";
    chooseMenuCommand(dialog, CmdAbout);
    HWND about = findWindowOfProcess(lumenfold.id(), windows1251(L"О Lumenfold"));
    ASSERT_NE(about, nullptr);
    EXPECT_NE(controlText(GetDlgItem(about, IDC_VERSION)).find(windows1251(L"версия 1.1")), std::string::npos);
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitGone(about));
    chooseMenuCommand(dialog, CmdTerminate);
    EXPECT_EQ(lumenfold.waitForExit(), 0u);
    EXPECT_TRUE(visible(away));

    // Wine enumerates the values sorted by name, so the desktop may come back under another id.
    open();
    auto names = rows().names;
    EXPECT_NE(std::find(names.begin(), names.end(), Work), names.end());
}

} // namespace
