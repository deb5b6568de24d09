#pragma once
#include <windows.h>

// Holds one menu and destroys it, with its submenus, unless it has been detached.
class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL DestroyMenu()
    {
        HMENU menu = Detach();
        return menu != nullptr && ::DestroyMenu(menu);
    }
    HMENU Detach()
    {
        HMENU menu = m_hMenu;
        m_hMenu = nullptr;
        return menu;
    }

    HMENU m_hMenu = nullptr;
};
