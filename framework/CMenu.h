#pragma once
#include <windows.h>

// Holds one menu and destroys it, with its submenus, unless it has been detached.
class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL Attach(HMENU menu)
    {
        m_hMenu = menu;
        return menu != nullptr;
    }
    BOOL AppendMenu(UINT flags, UINT_PTR id, const char* text) { return ::AppendMenuA(m_hMenu, flags, id, text); }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR id, const char* text)
    {
        return ::ModifyMenuA(m_hMenu, position, flags, id, text);
    }
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
