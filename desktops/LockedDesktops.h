#pragma once
#include "Desktop.h"
#include "framework/CSemaphore.h"

#include <optional>
#include <string>
#include <vector>

class DesktopManager;

// The one way into the desktop model, from the user-interface thread and the watcher thread
// alike: every operation holds the model's lock for its whole length, window walks, ShowWindow
// calls and the notice's half second included. The lock is not recursive, and the model never
// calls back in here.
class LockedDesktops {
public:
    explicit LockedDesktops(DesktopManager& manager) : manager(&manager) {}

    void attachMainWindow(HWND mainWindow);
    // The exit clean-up has begun: waits for the lock are bounded from now on.
    void beginExit(DWORD waitLimitMs) { lock.BoundWaits(waitLimitMs); }

    void switchTo(DesktopId id);
    void showWindowsLeftHidden();
    void loadDesktops();
    void saveDesktops();
    void closeAllApps(DesktopId id);
    std::optional<WindowEntry> windowAt(DesktopId id, unsigned index);
    // Every desktop with its windows, desktop id n at index n - 1, in one locked call: each lock
    // costs a call into the system.
    std::vector<DesktopSnapshot> snapshot();
    int windowCount(DesktopId id);
    void captureVisible();
    void forgetWindows(DesktopId id);
    void addWindow(HWND window);
    void removeWindow(HWND window);
    void releaseWindow(HWND window);
    void sendWindowTo(DesktopId id, HWND window);
    int currentId();
    int idEnd();
    std::optional<std::string> desktopName(DesktopId id);
    bool setName(DesktopId id, const char* name);
    HotkeyCode hotkeyOf(DesktopId id);
    bool hotkeyFree(DesktopId id, HotkeyCode code);
    bool setHotkey(DesktopId id, HotkeyCode code);
    bool deleteDesktop(DesktopId id);

private:
    template <typename Operation>
    auto locked(Operation operation)
    {
        CSingleLock hold(lock);
        return operation(*manager);
    }

    DesktopManager* const manager;
    CSemaphore lock{1, 1};
};
