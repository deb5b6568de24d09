#include "DesktopManager.h"

#include "WindowRequests.h"
#include "app/TrayIcon.h"
#include "hooks/SystemMenuChannel.h"
#include "hooks/TopLevelWindows.h"
#include "ui/Settings.h"

#include <commctrl.h>

#include <algorithm>

namespace {
const DWORD TransientNoticeMs = 500;
// The 44-byte form of TOOLINFOA, without the reserved field of later versions.
const UINT ToolInfoSize = 44;

bool anyOf(const std::vector<WindowEntry>& windows, const std::vector<WindowEntry>& among)
{
    auto isAmong = [&among](const WindowEntry& window) {
        auto same = [&window](const WindowEntry& other) { return other.hwnd == window.hwnd; };
        return std::any_of(among.begin(), among.end(), same);
    };
    return std::any_of(windows.begin(), windows.end(), isAmong);
}
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
    // Every thread concerned is asked once, all at once, whether it answers, by the question for
    // its marks: any thread that answers messages replies to it, and where the hook library serves
    // it the answer shows in the shared record without a reply to take from this thread's queue.
    // The threads are asked in the order the switch takes their windows: those on the screen from
    // the bottom up, then those to be shown. Each is awaited only when its first window is reached.
    std::vector<WindowEntry> inTurn(onScreen.rbegin(), onScreen.rend());
    inTurn.insert(inTurn.end(), desktop(id).windows.begin(), desktop(id).windows.end());
    ThreadMarksQuestion marks = SystemMenuChannel::instance().askThreadMarks(inTurn);
    ThreadAnswers answers(inTurn, &marks);

    // Which windows on the screen stay there (on all desktops) is known only as they are reached,
    // so the journal takes all of them, with every other filed window, before the first is hidden.
    // Once the switch is over it holds exactly the hidden ones again.
    journal.record(filedWindows(onScreen));
    std::vector<WindowEntry> late = hideWindowsOnScreen(onScreen, marks, answers);
    // The windows of a thread that has not answered soon wait until the target desktop is on the
    // screen, unless one of them is to be shown there: it must end shown.
    bool lateAfterShowing = id != current && !anyOf(late, desktop(id).windows);
    if (!lateAfterShowing)
        hideLateWindows(late, marks, answers);
    bool activated = showDesktopWindows(desktop(id), answers);
    if (lateAfterShowing)
        hideLateWindows(late, marks, answers);
    if (!activated)
        keepForegroundOffHungThreads(answers);
    current = id;
    journalHiddenWindows();

    updateTrayIcon();
    if (settings.noticeFlags & Settings::NoticeTooltip)
        showNotice(false);
    if (settings.noticeFlags & Settings::NoticeTooltipAlways)
        showNotice(true);
}

// The list of the desktop being left is rebuilt from what is on the screen now, from the bottom of
// the stacking order up, which is the order the windows are shown in again. They are hidden in that
// order too, so that the active window, on top, goes last: hiding the active window makes the system
// activate the next one down, and from the top down every hide would hand the activation on, a
// round of messages in the next window's program, and bare a window about to be hidden to be
// repainted. The windows of a thread that has not answered soon are handed back, to be dealt with
// later: a thread that has just hung would otherwise hold up every window above its own.
std::vector<WindowEntry> DesktopManager::hideWindowsOnScreen(const std::vector<WindowEntry>& onScreen,
                                                             const ThreadMarksQuestion& marks, ThreadAnswers& answers)
{
    std::vector<WindowEntry> late;
    forgetWindows(current);
    std::vector<WindowEntry>& left = desktop(current).windows;
    for (auto entry = onScreen.rbegin(); entry != onScreen.rend(); ++entry) {
        if (!answers.answersSoon(entry->hwnd))
            late.push_back(*entry);
        else
            hideAndFile(*entry, marks, answers, left.end());
    }
    return late;
}

// A window whose thread does not answer in the end cannot have its mark read: it counts as
// unmarked. It changes when its thread runs again, so its place in the stacking order is not known;
// these windows go to the bottom, in their order among themselves (they came bottom up).
void DesktopManager::hideLateWindows(const std::vector<WindowEntry>& late, const ThreadMarksQuestion& marks,
                                     ThreadAnswers& answers)
{
    std::vector<WindowEntry>& left = desktop(current).windows;
    for (auto entry = late.rbegin(); entry != late.rend(); ++entry)
        hideAndFile(*entry, marks, answers, left.begin());
}

// A window on all desktops stays on the screen and is not filed.
void DesktopManager::hideAndFile(const WindowEntry& entry, const ThreadMarksQuestion& marks, ThreadAnswers& answers,
                                 std::vector<WindowEntry>::iterator place)
{
    if (SystemMenuChannel::instance().carriesMark(entry, marks, answers.answers(entry.hwnd)))
        return;
    desktop(current).windows.insert(place, entry);
    answers.show(entry.hwnd, SW_HIDE);
}

// Each window shown comes to the top, so showing them bottom to top restores the stacking order (a
// window of a thread that does not answer comes up when its thread runs again). They are shown
// without activation, and only the topmost window that answers is activated at the end:
// activating each in turn would hand the activation on at every step, a round of messages in two
// programs. False when no window answers.
bool DesktopManager::showDesktopWindows(const Desktop& target, ThreadAnswers& answers)
{
    for (const WindowEntry& entry : target.windows)
        answers.show(entry.hwnd, SW_SHOWNA);
    for (auto entry = target.windows.rbegin(); entry != target.windows.rend(); ++entry) {
        if (answers.answers(entry->hwnd)) {
            SetActiveWindow(entry->hwnd);
            SetForegroundWindow(entry->hwnd);
            return true;
        }
    }
    return false;
}

// A hung window must never keep the activation: while it has it, the keys typed on the display
// reach no hotkey (Wine hands it the activation when the active window is hidden and it is next in
// the stacking order). No foreground at all, under Wine, may be a hung window that took it.
void DesktopManager::keepForegroundOffHungThreads(ThreadAnswers& answers)
{
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
