#pragma once
#include "ProgramDriver.h"
#include "res/resource.h"
#include "tests/support/TestRegistry.h"

#include <commctrl.h>

// The options dialog's menu bar, whose choices are posted to the dialog as the menu posts them.
enum MenuCommand { CmdRussian = 1126, CmdAbout = 1127, CmdTerminate = 1128 };

// Opened as a left click on the tray icon opens it.
HWND openOptionsDialog(const RunningLumenfold& lumenfold);
inline void chooseMenuCommand(HWND dialog, MenuCommand command) { PostMessageA(dialog, WM_COMMAND, command, 0); }
inline bool waitGone(HWND window) { return waitUntil([&] { return !IsWindow(window); }); }

// The request overtakes keys typed before it that the program has not read yet: wait for their effect first.
bool focus(HWND control);
// Types Alt and the key into a hotkey control; true once the control shows the combination.
bool typeAltCombination(HWND control, WORD key);
inline WORD shownHotkey(HWND control) { return LOWORD(SendMessageA(control, HKM_GETHOTKEY, 0, 0)); }
std::string controlText(HWND control); // GetWindowText does not ask a control of another process

// Column 0 of every row of the desktop list, and the row marked as the current desktop's (-1).
struct ListRows {
    std::vector<std::string> names;
    int currentRow = -1;
};
ListRows readDesktopList(HWND list);
void selectRow(HWND list, int row); // and only that one

inline std::string storedText(const char* key, const char* name)
{
    return registry::handedOverText(registry::read(key, name));
}

// A running Lumenfold with its options dialog.
class OptionsDialogTest : public ::testing::Test {
protected:
    void open()
    {
        ASSERT_TRUE(lumenfold.running() || lumenfold.start());
        ASSERT_NE(dialog = openOptionsDialog(lumenfold), nullptr);
    }
    void closeOptions()
    {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(waitGone(dialog));
    }
    HWND item(int id) const { return GetDlgItem(dialog, id); }
    ListRows rows() const { return readDesktopList(item(IDC_DESKTOP_LIST)); }
    void selectRow(int row) const { ::selectRow(item(IDC_DESKTOP_LIST), row); }
    // Edits the row's label in place: the text replaced, the edit ended with the key.
    void rename(int row, const char* text, WORD endKey = VK_RETURN);

    RunningLumenfold lumenfold;
    HWND dialog = nullptr;
};
