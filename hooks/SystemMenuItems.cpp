#include "SystemMenuItems.h"

bool isOnAllDesktops(HWND window)
{
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    if (systemMenu == nullptr)
        return false;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(systemMenu, OnAllDesktopsCmd, FALSE, &item))
        return false;
    return item.fState == MFS_CHECKED;
}
