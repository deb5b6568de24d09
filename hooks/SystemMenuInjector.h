#pragma once
#include "framework/CSemaphore.h"
#include "trapkit/TrapKitProtocol.h"

#include <windows.h>

#include <vector>

class LockedDesktops;
class MessageCatalog;
class SystemMenuChannel;

// Gives every window "on all desktops" and "send to" at the end of its system menu, takes them off
// again, and carries out a choice of one of them. Two threads use it: the user-interface thread
// (start-up, the tray menu, the exit) and the watcher thread (new windows, chosen items).
//
// Its lock covers every change to a menu, so the two threads never interleave their edits of one
// window's menu. The order is always this lock first, then the desktops' lock; the menu channel's
// own lock comes last.
class SystemMenuInjector {
public:
    SystemMenuInjector(LockedDesktops& desktops, const MessageCatalog& messages, SystemMenuChannel& channel);
    // Takes the items off every filed window.
    ~SystemMenuInjector();
    SystemMenuInjector(const SystemMenuInjector&) = delete;
    SystemMenuInjector& operator=(const SystemMenuInjector&) = delete;

    // The program's own top-level window, where every window walk starts.
    void attachMainWindow(HWND window) { mainWindow = window; }

    // desk -1 means the desktop current when the items are made. Unreached when the window's
    // program did not take the request in time (it may be busy; a later try may succeed).
    MenuResult injectInto(HWND window, int desk, bool onAllDesktops);
    void injectAll();
    // Once the hook library is in place: the windows that the pass over all windows could not
    // reach (menus of other processes, on systems that keep them per process) get their items.
    void injectUnreached();
    void removeFrom(HWND window);
    void removeFromAll();
    // After the desktops have been edited: every window, the visible ones filed first, gets a
    // "send to" list that names the desktops as they are now.
    void rebuildAll();
    void onSystemCommand(HWND window, int commandId);

    // The exit clean-up has begun: the lock may be held by a thread that will never let it go.
    void beginExit(DWORD waitLimitMs) { lock.BoundWaits(waitLimitMs); }

private:
    MenuResult makeItems(HWND window, int desk, bool onAllDesktops);
    MenuResult makeStartupItems(HWND window);
    void takeItemsOff(HWND window);

    LockedDesktops& desktops;
    const MessageCatalog& messages;
    SystemMenuChannel& channel;
    HWND mainWindow = nullptr;
    std::vector<HWND> unreached;
    CSemaphore lock{1, 1};
};
