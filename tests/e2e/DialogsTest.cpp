#include "DialogDriver.h"
#include "app/MessageCatalog.h"

namespace {

using registry::DesksKey;
using registry::OptionsKey;

const MessageCatalog english{"eng"};
const char* EditDialogTitle = "Edit desktop options";

std::vector<std::string> names(std::initializer_list<const char*> list) { return {list.begin(), list.end()}; }

class Dialogs : public OptionsDialogTest {
protected:
    void SetUp() override { prepareFirstRun(0); }
    // The notice box's text, answered with OK; empty when none comes.
    std::string notice() const
    {
        HWND box = findWindowOfProcess(lumenfold.id(), "Attention 8-|", 5000);
        // Found by its title, the box gets its text a moment later.
        if (box == nullptr || !waitUntil([&] { return visible(box) && !messageBoxText(box).empty(); }))
            return "";
        std::string text = messageBoxText(box);
        pressButton(box, IDOK);
        waitGone(box);
        return text;
    }
    HWND openEditDialog(int button)
    {
        pressButton(dialog, button);
        HWND edit = findWindowOfProcess(lumenfold.id(), EditDialogTitle);
        // Found by its template's title, it is shown once its controls have their content.
        return edit != nullptr && waitUntil([&] { return visible(edit); }) ? edit : nullptr;
    }
};

// Desktop 3 is current; a desktop added with a hotkey, desktop 2 renamed in place and re-keyed, then
// desktop 1 deleted below it. Each change is stored at once.
TEST_F(Dialogs, AddRenameInPlaceEditAHotkeyAndDeleteADesktopBelowTheCurrentOne)
{
    HostedWindows hosted{"One"};
    ASSERT_TRUE(lumenfold.start());
    HWND one = hosted.window("One");
    ASSERT_TRUE(pressAltUntil(VK_F3, [&] { return !visible(one); }));
    open();
    EXPECT_EQ(rows().currentRow, 2);

    HWND edit = openEditDialog(IDC_ADD_DESKTOP);
    ASSERT_NE(edit, nullptr);
    HWND name = GetDlgItem(edit, IDC_DESKTOP_NAME), hotkey = GetDlgItem(edit, IDC_DESKTOP_HOTKEY);
    EXPECT_EQ(controlText(name), "");
    EXPECT_EQ(shownHotkey(hotkey), 0);
    ASSERT_TRUE(focus(name));
    typeKeys({'W', 'O', 'R', 'K'});
    ASSERT_TRUE(waitUntil([&] { return controlText(name) == "work"; }));
    ASSERT_TRUE(typeAltCombination(hotkey, VK_F5));
    pressButton(edit, IDOK);
    ASSERT_TRUE(waitGone(edit));
    EXPECT_TRUE(waitUntil([&] { return rows().names == names({"VirtDesk1", "VirtDesk2", "VirtDesk3", "work"}); }));

    rename(1, "mail");
    EXPECT_TRUE(waitUntil([&] { return rows().names == names({"VirtDesk1", "mail", "VirtDesk3", "work"}); }));
    rename(1, "x", VK_ESCAPE);
    ASSERT_TRUE(waitUntil([&] { return !SendMessageA(item(IDC_DESKTOP_LIST), LVM_GETEDITCONTROL, 0, 0); }));
    EXPECT_EQ(rows().names, names({"VirtDesk1", "mail", "VirtDesk3", "work"})) << "a cancelled edit renames nothing";

    selectRow(1);
    edit = openEditDialog(IDC_EDIT_DESKTOP);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(controlText(GetDlgItem(edit, IDC_DESKTOP_NAME)), "mail");
    ASSERT_TRUE(typeAltCombination(GetDlgItem(edit, IDC_DESKTOP_HOTKEY), VK_F6));
    pressButton(edit, IDOK);
    ASSERT_TRUE(waitGone(edit));
    // The desktops are saved after the dialog has gone.
    EXPECT_TRUE(waitUntil([&] { return storedText(DesksKey, "mail") == "1 117\n"; }));

    selectRow(0);
    pressButton(dialog, IDC_DELETE_DESKTOP);
    EXPECT_TRUE(waitUntil([&] { return rows().names == names({"mail", "VirtDesk3", "work"}); }));
    EXPECT_EQ(rows().currentRow, 1) << "the mark follows the current desktop";
    EXPECT_TRUE(waitUntil([&] { return visible(one); })) << "the deleted desktop's window comes here";
    auto stored = registry::readAll(DesksKey);
    EXPECT_TRUE(stored.size() == 3 && stored.count("mail") && stored.count("VirtDesk3") && stored.count("work"));
    closeOptions();
    EXPECT_TRUE(waitUntil([&] { return hostedMenuState(one) == itemsWithSendTo(1, 3); }))
        << "its \"send to\" names the desktops as they are now";

    // The hotkeys follow their desktops to the new ids, and the added one's is read at the next start.
    EXPECT_TRUE(pressAltUntil(VK_F6, [&] { return !visible(one); }));
    EXPECT_TRUE(pressAltUntil(VK_F3, [&] { return visible(one); }));
    ASSERT_EQ(lumenfold.terminate(), 0u);
    ASSERT_TRUE(lumenfold.start());
    EXPECT_TRUE(pressAltUntil(VK_F5, [&] { return !visible(one); }));
}

// Every refusal is a notice and changes nothing; Escape then keeps the stored desktops and options
// and puts the stored special hotkeys back, and closing stores the controls.
TEST_F(Dialogs, EachRefusalShowsItsMessageEscapeKeepsTheStoredOptionsAndClosingStoresThem)
{
    const HotkeyCode AltF9 = packHotkey(MOD_ALT, VK_F9), AltRight = packHotkey(MOD_ALT, VK_RIGHT);
    auto editOptions = [&] {
        pressButton(dialog, IDC_TOOLTIP);
        ASSERT_TRUE(typeAltCombination(item(IDC_NEXT_HOTKEY), VK_F9));
        focus(item(IDC_PREV_HOTKEY)); // the focus leaves: Alt+F9 is registered now
        ASSERT_TRUE(waitUntil([&] { return hotkeyTaken(AltF9) && !hotkeyTaken(AltRight); }));
    };
    open();
    auto desksBefore = registry::readAll(DesksKey), optionsBefore = registry::readAll(OptionsKey);
    auto expectNotice = [&](int message, const char* what) { EXPECT_EQ(notice(), english.text(message)) << what; };

    pressButton(dialog, IDC_DELETE_DESKTOP);
    expectNotice(MsgSelectDesktopToDelete, "delete without a selection");
    pressButton(dialog, IDC_EDIT_DESKTOP);
    expectNotice(MsgSelectDesktopToEdit, "edit without a selection");
    selectRow(0);
    pressButton(dialog, IDC_DELETE_DESKTOP);
    expectNotice(MsgCantDeleteCurrentDesktop, "delete the current desktop");
    rename(1, "virtdesk1");
    expectNotice(MsgDesktopNameExists, "a name that differs only in letter case");

    HWND edit = openEditDialog(IDC_ADD_DESKTOP);
    ASSERT_NE(edit, nullptr);
    HWND name = GetDlgItem(edit, IDC_DESKTOP_NAME), hotkey = GetDlgItem(edit, IDC_DESKTOP_HOTKEY);
    pressButton(edit, IDOK);
    expectNotice(MsgTypeDesktopName, "adding without a name");
    SetWindowTextA(name, "virtdesk3");
    pressButton(edit, IDOK);
    expectNotice(MsgDesktopNameExists, "adding a name in use");
    // Desktop 2's combination set directly: typed, the registered hotkey would never reach the control.
    SetWindowTextA(name, "fresh");
    SendMessageA(hotkey, HKM_SETHOTKEY, MAKEWORD(VK_F2, HOTKEYF_ALT), 0);
    pressButton(edit, IDOK);
    expectNotice(MsgCantRegisterHotkey, "another desktop's hotkey");
    EXPECT_EQ(shownHotkey(hotkey), 0) << "the refused combination stays in the control";
    ASSERT_TRUE(IsWindow(edit)) << "the edit dialog stays open";
    PostMessageA(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitGone(edit));

    // A special hotkey the system refuses (desktop 1's) is reported when the focus leaves it.
    HWND next = item(IDC_NEXT_HOTKEY);
    WORD nextBefore = shownHotkey(next);
    focus(next);
    SendMessageA(next, HKM_SETHOTKEY, MAKEWORD(VK_F1, HOTKEYF_ALT), 0);
    focus(item(IDC_PREV_HOTKEY));
    expectNotice(MsgCantRegisterNextHotkey, "a special hotkey in use");
    EXPECT_EQ(shownHotkey(next), nextBefore);
    EXPECT_TRUE(hotkeyTaken(AltRight)) << "the earlier combination is registered again";
    EXPECT_EQ(rows().names, names({"VirtDesk1", "VirtDesk2", "VirtDesk3"}));

    editOptions();
    pressKeys({VK_ESCAPE});
    ASSERT_TRUE(waitGone(dialog));
    EXPECT_EQ(registry::readAll(DesksKey), desksBefore);
    EXPECT_EQ(registry::readAll(OptionsKey), optionsBefore);
    EXPECT_TRUE(waitUntil([&] { return hotkeyTaken(AltRight) && !hotkeyTaken(AltF9); }));

    open();
    EXPECT_EQ(hotkeyFromControl(shownHotkey(item(IDC_NEXT_HOTKEY))), AltRight);
    EXPECT_EQ(SendMessageA(item(IDC_TOOLTIP), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    editOptions();
    closeOptions();
    EXPECT_EQ(storedText(OptionsKey, "NextDesk"), "1 120");
    EXPECT_EQ(registry::read(OptionsKey, "ShowCurDeskMsg").data, std::string("\x01\0\0\0", 4));
    EXPECT_TRUE(hotkeyTaken(AltF9));
}

// The limits need their own desktops: a single one, then 99 of them.
TEST_F(Dialogs, DeletingTheLastDesktopAndAddingBeyondNinetyNineAreRefused)
{
    registry::write(DesksKey, "only", REG_MULTI_SZ, "0 0\n");
    open();
    selectRow(0);
    pressButton(dialog, IDC_DELETE_DESKTOP);
    EXPECT_EQ(notice(), english.text(MsgCantDeleteLastDesktop));
    EXPECT_EQ(rows().names, names({"only"}));
    closeOptions();
    ASSERT_EQ(lumenfold.terminate(), 0u);
    for (int n = 2; n <= 99; ++n)
        registry::write(DesksKey, ("desk" + std::to_string(100 + n)).c_str(), REG_MULTI_SZ, "0 0\n");
    open();
    ASSERT_EQ(rows().names.size(), 99u);
    pressButton(dialog, IDC_ADD_DESKTOP);
    EXPECT_EQ(notice(), english.text(MsgDesktopLimitReached));
    EXPECT_EQ(findWindowOfProcess(lumenfold.id(), EditDialogTitle, 0), nullptr);
}

} // namespace
