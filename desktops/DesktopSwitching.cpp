#include "DesktopManager.h"

#include "WindowRequests.h"
#include "app/TrayIcon.h"
#include "hooks/SystemMenuItems.h"
#include "hooks/TopLevelWindows.h"
#include "ui/Settings.h"

#include <commctrl.h>

#include <algorithm>

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

    // The list of the desktop being left is rebuilt from what is on the screen now. The journal
    // takes it with every other filed window before the first of them is hidden.
    forgetWindows(current);
    forEachUserWindow(mainWindow, [this](HWND window) { fileUnlessOnAllDesktops(window); });
    journal.record(filedWindows(true));
    std::vector<WindowEntry>& left = desktop(current).windows;
    for (const WindowEntry& entry : left)
        showWindowWithoutBlocking(entry.hwnd, SW_HIDE);
    std::reverse(left.begin(), left.end());

    showDesktopWindows(desktop(id));
    current = id;
    journalHiddenWindows();

    updateTrayIcon();
    if (settings.noticeFlags & Settings::NoticeTooltip)
        showNotice(false);
    if (settings.noticeFlags & Settings::NoticeTooltipAlways)
        showNotice(true);
}

void DesktopManager::fileUnlessOnAllDesktops(HWND window)
{
    if (!isOnAllDesktops(window))
        desktop(current).windows.push_back(makeEntry(window));
}

// Each SW_SHOW activates its window, so showing them bottom to top restores the stacking order.
void DesktopManager::showDesktopWindows(const Desktop& target)
{
    for (const WindowEntry& entry : target.windows)
        showWindowWithoutBlocking(entry.hwnd, SW_SHOW);
    if (target.windows.empty())
        return;
    HWND topmost = target.windows.back().hwnd;
    SetActiveWindow(topmost);
    SetForegroundWindow(topmost);
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
