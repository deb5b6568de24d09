#include "TrayMenu.h"

#include "CommandMap.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "desktops/LockedDesktops.h"
#include "framework/CMenu.h"

namespace {
HMENU buildDesktopSubmenu(int id, bool current, const DesktopSnapshot& desk, CommandMap& commands,
                          const MessageCatalog& messages)
{
    HMENU submenu = CreatePopupMenu();
    bool hasWindows = !desk.windows.empty();
    if (hasWindows)
        AppendMenuA(submenu, MF_STRING, commands.addCloseAllCommand(id), messages.text(MsgCloseAllApps));
    if (!current)
        AppendMenuA(submenu, MF_STRING, commands.addSwitchCommand(id), messages.text(MsgSwitchToThisDesktop));
    if (hasWindows)
        AppendMenuA(submenu, MF_SEPARATOR, 0, nullptr);
    for (const WindowEntry& entry : desk.windows)
        AppendMenuA(submenu, MF_STRING, commands.addWindowCommand(entry.hwnd), entry.title.c_str());
    return submenu;
}
}

// The current desktop's list is made anew from what is visible now; then the whole model is read
// in one locked call, so every desktop's list in the menu comes from one moment.
HMENU buildTrayMenu(LockedDesktops& desktops, CommandMap& commands, const MessageCatalog& messages)
{
    DesktopId current = static_cast<DesktopId>(desktops.currentId());
    desktops.forgetWindows(current);
    desktops.captureVisible();
    std::vector<DesktopSnapshot> desks = desktops.snapshot();

    HMENU menu = CreatePopupMenu();
    for (int id = 1; id <= static_cast<int>(desks.size()); ++id) {
        HMENU submenu = buildDesktopSubmenu(id, id == current, desks[id - 1], commands, messages);
        AppendMenuA(menu, MF_POPUP | (id == current ? MF_CHECKED : 0), reinterpret_cast<UINT_PTR>(submenu),
                    desks[id - 1].name.c_str());
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
