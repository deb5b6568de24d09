#include "MainWindow.h"

#include "MessageCatalog.h"
#include "TrayIcon.h"
#include "desktops/LockedDesktops.h"
#include "hooks/HookBridge.h"
#include "hooks/SystemMenuInjector.h"
#include "res/resource.h"
#include "ui/OptionsDialog.h"
#include "ui/Settings.h"

#include <cstdlib>
#include <cstring>

namespace {
// How long the exit clean-up waits for the watcher to finish the report it is acting on.
const DWORD WatcherStopLimitMs = 2000;
}

MainWindow::MainWindow(LockedDesktops& desktops, SystemMenuInjector& injector, Settings& settings,
                       const MessageCatalog& messages)
    : desktops(desktops), injector(injector), settings(settings), messages(messages)
{
    const char* className = RegisterWndClass(0, nullptr, nullptr, nullptr);
    if (className == nullptr)
        messages.fatalError(MsgCantRegisterClass);
    // Never shown: WS_POPUP and no size.
    if (!CreateEx(0, className, "LumenfoldAppWin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
        messages.fatalError(MsgCantCreateMainWindow);
}

MainWindow::~MainWindow()
{
    hookBridge.reset();
    commands.clear();
}

void MainWindow::completeStartup()
{
    injector.injectAll();
    PostMessageA(m_hWnd, ReadyMessage, 0, 0);
    hookBridge = std::make_unique<HookBridge>(injector, messages);
    // Where menus belong to their process, the pass above reached only this program's windows;
    // the library's hooks now reach the others.
    injector.injectUnreached();
    hookBridge->startWatcher();
}

void MainWindow::stopWatcher()
{
    if (hookBridge != nullptr)
        hookBridge->stopWatcher(WatcherStopLimitMs);
}

LRESULT MainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_COMMAND:
        onCommand(static_cast<int>(wParam));
        break;
    case TrayIcon::TrayCallbackMessage:
        // The shell sends this with SendNotifyMessage, so it can arrive while a switch or a
        // close-all waits on another program with the desktops locked. Acted on there, the tray
        // menu would wait for the lock that its own thread holds: it goes back to the main loop.
        PostMessageA(m_hWnd, DeferredTrayMessage, 0, lParam);
        break;
    case DeferredTrayMessage:
        onTrayIcon(lParam);
        break;
    case TrayIcon::TrayRefusedMessage:
        if (!MessageCatalog::ending)
            messages.fatalError(MsgCantAddTrayIcon);
        break;
    }
    return Default(message, wParam, lParam);
}

// A menu's or a dialog's own loop also dispatches posted messages: a click while one of them is
// open is not acted on.
void MainWindow::onTrayIcon(LPARAM mouseMessage)
{
    if (dialogOpen || trayMenuOpen || MessageCatalog::ending)
        return;
    if (mouseMessage == WM_LBUTTONDOWN)
        showOptionsDialog();
    else if (mouseMessage == WM_RBUTTONDOWN)
        showTrayMenu();
}

// After the dialog the "send to" lists name the new set of desktops, and a switch to the current
// desktop re-files the windows and shows the options that may just have changed.
void MainWindow::showOptionsDialog()
{
    dialogOpen = true;
    bool russian = std::strcmp(settings.language, "rus") == 0;
    bool changed = false;
    {
        OptionsDialog dialog(russian ? IDD_OPTIONS_RUSSIAN : IDD_OPTIONS_ENGLISH, desktops, settings, messages);
        dialog.DoModal();
        changed = dialog.changed;
    }
    if (changed)
        injector.rebuildAll();
    desktops.switchTo(static_cast<DesktopId>(desktops.currentId()));
    dialogOpen = false;
}

bool MainWindow::onCommand(int id)
{
    // The process ends here, through the runtime's normal exit: every hidden window comes back.
    if (id == TerminateCommand)
        std::exit(0);

    bool acted = false;
    if (HWND window = commands.windowFor(id)) {
        bringToCurrentDesktop(window);
        acted = true;
    }
    if (int desktop = commands.closeAllFor(id)) {
        desktops.closeAllApps(static_cast<DesktopId>(desktop));
        acted = true;
    }
    if (int desktop = commands.switchFor(id)) {
        desktops.switchTo(static_cast<DesktopId>(desktop));
        acted = true;
    }
    commands.clear();
    return acted;
}

// The window's "send to" list is made anew for the desktop it comes to.
void MainWindow::bringToCurrentDesktop(HWND window)
{
    injector.removeFrom(window);
    injector.injectInto(window, desktops.currentId(), false);
    desktops.releaseWindow(window);
}
