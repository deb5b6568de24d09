#include "TrayMenu.h"

#include "CommandMap.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "desktops/LockedDesktops.h"
#include "framework/CMenu.h"

namespace {
// Each desktop call is locked on its own, so the watcher thread may change the model between two
// of them: the menu shows what each call saw.
HMENU buildDesktopSubmenu(DesktopId id, bool current, LockedDesktops& desktops, CommandMap& commands,
                          const MessageCatalog& messages)
{
    HMENU submenu = CreatePopupMenu();
    bool hasWindows = desktops.windowCount(id) != 0;
    if (hasWindows)
        AppendMenuA(submenu, MF_STRING, commands.addCloseAllCommand(id), messages.text(MsgCloseAllApps));
    if (!current)
        AppendMenuA(submenu, MF_STRING, commands.addSwitchCommand(id), messages.text(MsgSwitchToThisDesktop));
    if (hasWindows)
        AppendMenuA(submenu, MF_SEPARATOR, 0, nullptr);
    for (unsigned index = 0; index < static_cast<unsigned>(desktops.windowCount(id)); ++index) {
        std::optional<WindowEntry> entry = desktops.windowAt(id, index);
        if (!entry)
            break;
        AppendMenuA(submenu, MF_STRING, commands.addWindowCommand(entry->hwnd), entry->title.c_str());
    }
    return submenu;
}
}

HMENU buildTrayMenu(LockedDesktops& desktops, CommandMap& commands, const MessageCatalog& messages)
{
    HMENU menu = CreatePopupMenu();
    for (int desk = 1; desk < desktops.idEnd(); ++desk) {
        DesktopId id = static_cast<DesktopId>(desk);
        bool current = desk == desktops.currentId();
        // The current desktop's list is made anew from what is visible now.
        if (current) {
            desktops.forgetWindows(id);
            desktops.captureVisible();
        }
        HMENU submenu = buildDesktopSubmenu(id, current, desktops, commands, messages);
        std::optional<std::string> name = desktops.desktopName(id);
        if (!name) {
            DestroyMenu(submenu);
            break;
        }
        AppendMenuA(menu, MF_POPUP | (current ? MF_CHECKED : 0), reinterpret_cast<UINT_PTR>(submenu), name->c_str());
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, TerminateCommand, messages.text(MsgTerminate));
    return menu;
}

void MainWindow::showTrayMenu()
{
    // Built on the first opening; the exit clean-up destroys a menu it may still hold.
    static CMenu trayMenu;
    trayMenuOpen = true;
    trayMenu.m_hMenu = buildTrayMenu(desktops, commands, messages);

    POINT cursor = {};
    GetCursorPos(&cursor);
    // The menu closes when the user clicks elsewhere only if its owner is the foreground window.
    SetForegroundWindow(m_hWnd);
    TrackPopupMenu(trayMenu.m_hMenu, 0, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    // Without a message after the menu, the next opening may close at once: the shell's known
    // quirk for menus of background windows.
    PostMessageA(m_hWnd, WM_NULL, 0, 0);

    trayMenu.DestroyMenu();
    trayMenuOpen = false;
}
