#include "DesktopManager.h"

#include "WindowRequests.h"
#include "hooks/TopLevelWindows.h"

#include <algorithm>

namespace {
std::vector<WindowEntry>::iterator findEntry(std::vector<WindowEntry>& windows, HWND window)
{
    return std::find_if(windows.begin(), windows.end(), [window](const WindowEntry& entry) { return entry.hwnd == window; });
}
}

// Files every visible window under the current desktop, hiding nothing. A window that is listed
// already is not listed twice, so the tray menu shows each window once.
void DesktopManager::captureVisible()
{
    if (!exists(current))
        return;
    forEachUserWindow(mainWindow, [this](HWND window, const std::string& title) {
        std::vector<WindowEntry>& windows = desktop(current).windows;
        if (findEntry(windows, window) == windows.end())
            windows.push_back(makeEntry(window, title));
    });
}

void DesktopManager::forgetWindows(DesktopId id)
{
    if (exists(id))
        desktop(id).windows.clear();
}

void DesktopManager::addWindow(HWND window)
{
    if (exists(current))
        desktop(current).windows.push_back(makeEntry(window));
}

void DesktopManager::removeWindow(HWND window)
{
    if (!exists(current))
        return;
    std::vector<WindowEntry>& windows = desktop(current).windows;
    auto found = findEntry(windows, window);
    if (found != windows.end())
        windows.erase(found);
}

// Takes a window off every desktop and makes it visible; on the current desktop it also comes to
// the foreground. The next switch files it under the desktop being left.
void DesktopManager::releaseWindow(HWND window)
{
    for (DesktopId id = 1; id < idEnd(); ++id) {
        std::vector<WindowEntry>& windows = desktop(id).windows;
        auto found = findEntry(windows, window);
        if (found == windows.end())
            continue;
        if (id == current)
            SetForegroundWindow(window);
        else
            showWindowWithoutBlocking(window, SW_SHOW);
        windows.erase(found);
    }
    journalHiddenWindows();
}

// Moves a window of the current desktop to another desktop and hides it; it becomes that
// desktop's last window, the one activated when that desktop is shown. Sending a window to the
// desktop it is on leaves it where it is: hiding it there would lose it at the next switch.
void DesktopManager::sendWindowTo(DesktopId id, HWND window)
{
    if (!exists(id))
        return;
    captureVisible();
    std::vector<WindowEntry>& windows = desktop(current).windows;
    auto found = findEntry(windows, window);
    if (found == windows.end() || id == current)
        return;
    windows.erase(found);
    desktop(id).windows.push_back(makeEntry(window));
    journalHiddenWindows();
    // The watcher thread comes here holding both locks: it must never wait on another program,
    // which may itself be waiting on the user-interface thread. A hide needs no order.
    ShowWindowAsync(window, SW_HIDE);
}

// A copy: the caller reads it after the lock is gone, while another thread may change the lists.
std::optional<WindowEntry> DesktopManager::windowAt(DesktopId id, unsigned index) const
{
    if (!exists(id) || index >= desktop(id).windows.size())
        return std::nullopt;
    return desktop(id).windows[index];
}

std::vector<DesktopSnapshot> DesktopManager::snapshot() const
{
    std::vector<DesktopSnapshot> copies;
    for (const Desktop& each : desktops)
        copies.push_back(DesktopSnapshot{each.name, each.windows});
    return copies;
}

int DesktopManager::windowCount(DesktopId id) const
{
    return exists(id) ? static_cast<int>(desktop(id).windows.size()) : 0;
}

// Asks every window of the desktop to close, one after the other. A window that has handled the
// request (closed, or declined after asking its user) leaves the desktop and is shown, so that a
// window that stayed is never left hidden. A window that refuses, or whose application does not
// answer, keeps its place.
void DesktopManager::closeAllApps(DesktopId id)
{
    if (!exists(id))
        return;
    std::vector<WindowEntry>& windows = desktop(id).windows;
    for (size_t i = 0; i < windows.size();) {
        HWND window = windows[i].hwnd;
        if (askWindowToClose(window) == CloseAnswer::Handled) {
            showWindowWithoutBlocking(window, SW_SHOW);
            windows.erase(windows.begin() + i);
        } else {
            ++i;
        }
    }
    journalHiddenWindows();
}

std::vector<JournalEntry> DesktopManager::filedWindows(const std::vector<WindowEntry>& alsoThese) const
{
    std::vector<JournalEntry> windows;
    auto add = [&windows](const WindowEntry& entry) {
        windows.push_back({HandleToULong(entry.hwnd), entry.processId, entry.threadId});
    };
    for (DesktopId id = 1; id < idEnd(); ++id) {
        if (id != current)
            std::for_each(desktop(id).windows.begin(), desktop(id).windows.end(), add);
    }
    std::for_each(alsoThese.begin(), alsoThese.end(), add);
    return windows;
}
