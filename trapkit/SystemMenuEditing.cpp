#include "SystemMenuEditing.h"

#include <cstring>

namespace {
// Menu texts here are the program's own (desktop names, "send to"), far shorter than this. The
// edits run inside other programs: no allocation, so nothing can fail there.
constexpr int TextLimit = 256;

// The item's text by position, empty for an item without one.
void itemText(HMENU menu, int position, UINT* type, char (&text)[TextLimit])
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.dwTypeData = text;
    item.cch = TextLimit;
    text[0] = '\0';
    GetMenuItemInfoA(menu, position, TRUE, &item);
    *type = item.fType;
    if (item.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))
        text[0] = '\0';
}

UINT itemState(HMENU menu, UINT id, BOOL byPosition)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, id, byPosition, &item);
    return item.fState;
}

bool holdsOurItems(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID;
        if (GetMenuItemInfoA(menu, position, TRUE, &item) && item.wID == OnAllDesktopsCmd)
            return true;
    }
    return false;
}

// Appends every item of source to destination with its text, id, state and submenu. A submenu is
// shared with the source, not copied.
void copyMenuItems(HMENU destination, HMENU source)
{
    int count = GetMenuItemCount(source);
    for (int position = 0; position < count; ++position) {
        UINT type = 0;
        char text[TextLimit];
        itemText(source, position, &type, text);
        if (text[0] == '\0') {
            if (type & MFT_SEPARATOR)
                AppendMenuA(destination, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        // The state is set again only where there is one: replacing a submenu's item with itself
        // may destroy the submenu.
        UINT state = itemState(source, position, TRUE);
        if (HMENU submenu = GetSubMenu(source, position)) {
            UINT_PTR id = reinterpret_cast<UINT_PTR>(submenu);
            AppendMenuA(destination, MF_POPUP, id, text);
            if (state != 0)
                ModifyMenuA(destination, static_cast<UINT>(id), MF_BYCOMMAND | state | MF_POPUP, id, text);
        } else {
            UINT id = GetMenuItemID(source, position);
            AppendMenuA(destination, MF_STRING, id, text);
            if (state != 0)
                ModifyMenuA(destination, id, MF_BYCOMMAND | state, id, text);
        }
    }
}
}

MenuResult readMark(HWND window)
{
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    if (systemMenu == nullptr)
        return NoSystemMenu;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    // A check mark together with any other state bit does not count.
    if (GetMenuItemInfoA(systemMenu, OnAllDesktopsCmd, FALSE, &item) && item.fState == MFS_CHECKED)
        return Marked;
    return NotMarked;
}

// The items go at the end of the system menu, with no separator. They are built in a scratch menu
// first and copied over, so that the system menu receives finished items.
MenuResult addItems(HWND window, const MenuItemsRecipe& recipe)
{
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    if (systemMenu == nullptr)
        return NoSystemMenu;
    if (holdsOurItems(systemMenu))
        return AlreadyThere;

    if (recipe.marked) {
        AppendMenuA(systemMenu, MF_CHECKED, OnAllDesktopsCmd, recipe.onAllDesktopsText);
        return Done;
    }
    HMENU scratch = CreatePopupMenu();
    HMENU sendTo = CreatePopupMenu();
    AppendMenuA(scratch, MF_STRING, OnAllDesktopsCmd, recipe.onAllDesktopsText);
    for (LONG i = 0; i < recipe.entryCount && i < MaxDesktops; ++i)
        AppendMenuA(sendTo, MF_STRING, recipe.entries[i].id, recipe.entries[i].name);
    AppendMenuA(scratch, MF_POPUP, reinterpret_cast<UINT_PTR>(sendTo), recipe.sendToText);
    copyMenuItems(systemMenu, scratch);

    // The "send to" submenu now belongs to the system menu: detach it before the scratch menu goes.
    RemoveMenu(scratch, 1, MF_BYPOSITION);
    DestroyMenu(scratch);
    return Done;
}

// Whatever the steps before find, the window ends with the system's default menu.
MenuResult removeItems(HWND window, const char* sendToText)
{
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    if (systemMenu == nullptr)
        return NoSystemMenu;
    // Backwards, so that a deletion does not move the items still to be read.
    for (int position = GetMenuItemCount(systemMenu) - 1; position >= 0; --position) {
        UINT type = 0;
        char text[TextLimit];
        itemText(systemMenu, position, &type, text);
        if (std::strcmp(text, sendToText) == 0)
            DeleteMenu(systemMenu, position, MF_BYPOSITION);
    }
    DeleteMenu(systemMenu, OnAllDesktopsCmd, MF_BYCOMMAND);
    GetSystemMenu(window, TRUE);
    return Done;
}

MenuResult performMenuOperation(HWND window, LONG operation, const MenuItemsRecipe& recipe)
{
    switch (operation) {
    case ReadMark:
        return readMark(window);
    case AddItems:
        return addItems(window, recipe);
    case RemoveItems:
        return removeItems(window, recipe.sendToText);
    }
    return NoSystemMenu;
}
