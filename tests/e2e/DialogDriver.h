#pragma once
#include "ProgramDriver.h"

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

// A real click in the middle of a control.
void click(HWND control);
// Gives the control the keyboard focus, as a click on it would, and types the keys one after another.
void typeInto(HWND control, std::initializer_list<WORD> virtualKeys);

// The text of the notice box that the program shows, answered with OK; empty when none comes.
std::string answerNotice(DWORD processId, DWORD timeoutMs = 5000);

// Column 0 of every row of the desktop list, and the row marked as the current desktop's (-1).
struct ListRows {
    std::vector<std::string> names;
    int currentRow = -1;
};
ListRows readDesktopList(HWND list);
