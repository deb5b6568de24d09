#pragma once
#include "CommandMap.h"
#include "framework/CWnd.h"

class LockedDesktops;
class MessageCatalog;

// Posted once to the main window when start-up is complete; the main loop arms the hotkeys when it
// takes it out of the queue.
constexpr UINT ReadyMessage = WM_USER + 200;
// "Terminate" in the tray menu: the one command id that is never handed out at run time.
constexpr int TerminateCommand = 1;

// The program's address for messages: a hidden top-level window that lives for the whole run.
// The tray icon sends its mouse events here, the tray menu its chosen command, and its
// destruction ends the main loop.
class MainWindow : public CWnd {
public:
    MainWindow(LockedDesktops& desktops, const MessageCatalog& messages);
    ~MainWindow() override;

    // The last step of start-up: the readiness message goes into the queue behind every hotkey
    // pressed during start-up, so that those are discarded.
    void completeStartup();

    // Carries out a tray-menu command; true when the id was one of the command map's.
    bool onCommand(int id);

    bool dialogOpen = false;
    CommandMap commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onTrayIcon(LPARAM mouseMessage);

    LockedDesktops& desktops;
    const MessageCatalog& messages;
};
