#include "DesktopManager.h"

#include "WindowRequests.h"
#include "app/TrayIcon.h"
#include "hooks/SystemMenuChannel.h"
#include "hooks/TopLevelWindows.h"
#include "ui/Settings.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

namespace {
const DWORD TransientNoticeMs = 500;
// The 44-byte form of TOOLINFOA, without the reserved field of later versions.
const UINT ToolInfoSize = 44;
}

void DesktopManager::switchTo(DesktopId id)
{
    if (desktops.empty())
        return;
    // No wrap-around: "next" on the last desktop and "previous" on the first change nothing.
    if (static_cast<unsigned>(static_cast<int>(id)) > desktops.size() || id == 0)
        return;

    std::vector<WindowEntry> onScreen;
    forEachUserWindow(mainWindow, [&](HWND window, const std::string& title) {
        onScreen.push_back(makeEntry(window, title));
    });
    // The threads on the screen are asked for their marks before every thread concerned is asked,
    // once and all at once, whether it answers: a thread has answered the first question by the time
    // it answers the second. A hung thread costs one short wait, and its windows are not waited for.
    ThreadMarksQuestion marks = SystemMenuChannel::instance().askThreadMarks(onScreen);
    std::vector<WindowEntry> concerned = onScreen;
    concerned.insert(concerned.end(), desktop(id).windows.begin(), desktop(id).windows.end());
    ThreadAnswers answers(concerned);

    // The list of the desktop being left is rebuilt from what is on the screen now. The journal
    // takes it with every other filed window before the first of them is hidden.
    fileWindowsOnScreen(onScreen, marks, answers);
    journal.record(filedWindows(true));
    std::vector<WindowEntry>& left = desktop(current).windows;
    for (const WindowEntry& entry : left)
        answers.show(entry.hwnd, SW_HIDE);
    std::reverse(left.begin(), left.end());

    showDesktopWindows(desktop(id), answers);
    current = id;
    journalHiddenWindows();

    updateTrayIcon();
    if (settings.noticeFlags & Settings::NoticeTooltip)
        showNotice(false);
    if (settings.noticeFlags & Settings::NoticeTooltipAlways)
        showNotice(true);
}

// A window whose thread does not answer cannot have its mark read in time: it counts as unmarked.
void DesktopManager::fileWindowsOnScreen(const std::vector<WindowEntry>& onScreen, const ThreadMarksQuestion& marks,
                                         const ThreadAnswers& answers)
{
    std::set<HWND> onAllDesktops = SystemMenuChannel::instance().markedAmong(
        onScreen, marks, [&answers](HWND window) { return answers.answers(window); });
    forgetWindows(current);
    for (const WindowEntry& entry : onScreen) {
        if (onAllDesktops.count(entry.hwnd) == 0)
            desktop(current).windows.push_back(entry);
    }
}

// Each SW_SHOW activates its window, so showing them bottom to top restores the stacking order.
// The topmost window that answers is then activated. A hung window must never keep the
// activation: while it has it, the keys typed on the display reach no hotkey (Wine hands it the
// activation when the active window is hidden and it is next in the stacking order).
void DesktopManager::showDesktopWindows(const Desktop& target, const ThreadAnswers& answers)
{
    for (const WindowEntry& entry : target.windows)
        answers.show(entry.hwnd, SW_SHOW);
    for (auto entry = target.windows.rbegin(); entry != target.windows.rend(); ++entry) {
        if (answers.answers(entry->hwnd)) {
            SetActiveWindow(entry->hwnd);
            SetForegroundWindow(entry->hwnd);
            return;
        }
    }
    // No foreground at all, under Wine, may be a hung window that took the activation.
    HWND foreground = GetForegroundWindow();
    if (foreground != nullptr ? !answers.answers(foreground) : !answers.allAnswered())
        SetForegroundWindow(mainWindow);
}

void DesktopManager::updateTrayIcon()
{
    if (trayIcon == nullptr)
        return;
    bool showNumber = settings.noticeFlags & Settings::NoticeTrayNumber;
    trayIcon->update(showNumber ? current : 0);
}

// A tracking tooltip with the current desktop's name in the top left corner of the screen. A
// transient notice blocks this thread for its half second; a kept one stays until the next.
void DesktopManager::showNotice(bool keep)
{
    DestroyWindow(noticeWindow);
    noticeWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   nullptr, nullptr);

    char name[DesktopNameLength + 1];
    lstrcpynA(name, desktop(current).name, sizeof name);
    TOOLINFOA tool = {};
    tool.cbSize = ToolInfoSize;
    tool.uFlags = TTF_TRACK;
    tool.lpszText = name;
    SendMessageA(noticeWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(noticeWindow, TTM_TRACKPOSITION, 0, MAKELPARAM(0, 0));
    SendMessageA(noticeWindow, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));

    if (!keep) {
        Sleep(TransientNoticeMs);
        DestroyWindow(noticeWindow);
    }
}
