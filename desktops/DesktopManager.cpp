#include "DesktopManager.h"

#include "WindowRequests.h"
#include "app/MessageCatalog.h"
#include "app/TrayIcon.h"
#include "hooks/TopLevelWindows.h"

DesktopManager::DesktopManager(const Settings& settings, const MessageCatalog& messages)
    : settings(settings), messages(messages)
{
}

// Runs at process exit without the lock: whatever the cause of the exit, every window that the
// program has hidden comes back, and the journal of them goes.
DesktopManager::~DesktopManager()
{
    unregisterDesktopHotkeys();
    for (Desktop& each : desktops) {
        for (const WindowEntry& entry : each.windows)
            showWindowWithoutBlocking(entry.hwnd, SW_SHOW);
        each.windows.clear();
    }
    desktops.clear();
    journal.clear();
    // Last, since a shell busy with its taskbar may keep the icon's removal waiting.
    trayIcon.reset();
}

void DesktopManager::attachMainWindow(HWND window)
{
    mainWindow = window;
}

std::optional<std::string> DesktopManager::desktopName(DesktopId id) const
{
    if (!exists(id))
        return std::nullopt;
    return std::string(desktop(id).name);
}

HotkeyCode DesktopManager::hotkeyOf(DesktopId id) const
{
    return exists(id) ? desktop(id).hotkey : 0;
}

// Hotkeys are registered without a window, so WM_HOTKEY goes to the queue of the registering
// thread, which is the user-interface thread whose main loop acts on it.
void DesktopManager::registerDesktopHotkeys()
{
    for (DesktopId id = 1; id < idEnd(); ++id) {
        HotkeyCode code = desktop(id).hotkey;
        if (code == 0)
            continue;
        if (!RegisterHotKey(nullptr, id + HotkeyIdDesktopBase, hotkeyModifiers(code), hotkeyVirtualKey(code)))
            messages.fatalError(MsgCantRegisterHotkey);
    }
}

void DesktopManager::unregisterDesktopHotkeys()
{
    for (DesktopId id = 1; id < idEnd(); ++id)
        UnregisterHotKey(nullptr, id + HotkeyIdDesktopBase);
}

WindowEntry DesktopManager::makeEntry(HWND window) const
{
    return makeEntry(window, windowTitle(window));
}

WindowEntry DesktopManager::makeEntry(HWND window, std::string title) const
{
    WindowEntry entry{window, std::move(title)};
    entry.threadId = GetWindowThreadProcessId(window, &entry.processId);
    return entry;
}
