#pragma once
#include "CommandMap.h"
#include "framework/CWnd.h"

#include <memory>

class HookBridge;
class LockedDesktops;
class MessageCatalog;
class Settings;
class SystemMenuInjector;

// Posted once to the main window when start-up is complete; the main loop arms the hotkeys when it
// takes it out of the queue.
constexpr UINT ReadyMessage = WM_USER + 200;
// A tray-icon mouse event, posted back to the main loop: see onTrayIcon.
constexpr UINT DeferredTrayMessage = WM_USER + 101;
// "Terminate" in the tray menu: the one command id that is never handed out at run time.
constexpr int TerminateCommand = 1;

// The program's address for messages: a hidden top-level window that lives for the whole run.
// The tray icon sends its mouse events here, the tray menu its chosen command, and its
// destruction ends the main loop. It owns the hook bridge.
class MainWindow : public CWnd {
public:
    MainWindow(LockedDesktops& desktops, SystemMenuInjector& injector, Settings& settings,
               const MessageCatalog& messages);
    ~MainWindow() override;

    // The last steps of start-up: every existing window gets its system-menu items, the readiness
    // message goes into the queue behind every hotkey pressed during start-up (so that those are
    // discarded), and the hook library starts reporting new windows to the watcher thread.
    void completeStartup();
    // The first step of the exit clean-up: no report of the hook library reaches the system-menu
    // items or the desktops after this.
    void stopWatcher();

    // Carries out a tray-menu command; true when the id was one of the command map's.
    bool onCommand(int id);
    void showTrayMenu();
    void showOptionsDialog();

    bool dialogOpen = false;
    bool trayMenuOpen = false;
    CommandMap commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onTrayIcon(LPARAM mouseMessage);
    void bringToCurrentDesktop(HWND window);

    LockedDesktops& desktops;
    SystemMenuInjector& injector;
    Settings& settings;
    const MessageCatalog& messages;
    std::unique_ptr<HookBridge> hookBridge;
};
