#pragma once
#include "ProgramDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Drives Lumenfold's dialogs from the test process: the options dialog opened as a left click on
// the tray icon opens it, its controls clicked and typed into, its notices read and answered.

constexpr const char* NoticeTitle = "Attention 8-|";
// The options dialog's menu bar, whose choices are posted to the dialog as the menu posts them.
enum MenuCommand { CmdEnglish = 1125, CmdRussian = 1126, CmdAbout = 1127, CmdTerminate = 1128 };

HWND openOptionsDialog(const RunningLumenfold& lumenfold, const char* title = "Lumenfold");
void chooseMenuCommand(HWND dialog, MenuCommand command);
bool waitGone(HWND window, DWORD timeoutMs = 10000);

// A click on a button or check box.
void click(HWND control);
// Gives the control the keyboard focus through its dialog. The request overtakes keys typed before
// it that the program has not read yet (input comes after posted messages): wait for their effect
// first.
bool focus(HWND control);
// Focuses the control and types the keys one after another.
void typeInto(HWND control, std::initializer_list<WORD> virtualKeys);
// Types Alt and the key into a hotkey control; true once the control shows the combination.
bool typeAltCombination(HWND control, WORD key);
WORD shownHotkey(HWND control);
// A control's text; GetWindowText does not ask a control of another process.
std::string controlText(HWND control);

// The text of the notice box that the program shows, answered with OK; empty when none comes.
std::string answerNotice(DWORD processId, DWORD timeoutMs = 5000);

// Column 0 of every row of the desktop list, and the row marked as the current desktop's (-1).
struct ListRows {
    std::vector<std::string> names;
    int currentRow = -1;
};
ListRows readDesktopList(HWND list);
// Selects one row of the list, and only that one.
void selectRow(HWND list, int row);

// A stored string value as the program handed it over.
std::string storedText(const char* key, const char* name);

// A running Lumenfold with its options dialog, opened as a left click on the tray icon opens it.
class OptionsDialogTest : public ::testing::Test {
protected:
    void open()
    {
        if (!lumenfold.running()) {
            ASSERT_TRUE(lumenfold.start());
        }
        ASSERT_NE(dialog = openOptionsDialog(lumenfold), nullptr);
    }
    void closeOptions()
    {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(waitGone(dialog));
    }
    HWND item(int id) const { return GetDlgItem(dialog, id); }
    // Edits the selected row's label in place: the text replaced, the edit ended with the key.
    void renameSelected(const char* text, WORD endKey = VK_RETURN);

    RunningLumenfold lumenfold;
    HWND dialog = nullptr;
};
