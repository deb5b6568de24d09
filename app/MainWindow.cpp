#include "MainWindow.h"

#include "MessageCatalog.h"
#include "TrayIcon.h"
#include "desktops/LockedDesktops.h"

#include <cstdlib>

MainWindow::MainWindow(LockedDesktops& desktops, const MessageCatalog& messages)
    : desktops(desktops), messages(messages)
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
    commands.clear();
}

void MainWindow::completeStartup()
{
    PostMessageA(m_hWnd, ReadyMessage, 0, 0);
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
        onTrayIcon(lParam);
        break;
    }
    return Default(message, wParam, lParam);
}

// The options dialog and the tray menu come with their own windows; until then a click on the
// icon does nothing.
void MainWindow::onTrayIcon(LPARAM)
{
}

bool MainWindow::onCommand(int id)
{
    // The process ends here, through the runtime's normal exit: every hidden window comes back.
    if (id == TerminateCommand)
        std::exit(0);

    bool acted = false;
    if (HWND window = commands.windowFor(id)) {
        desktops.releaseWindow(window);
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
