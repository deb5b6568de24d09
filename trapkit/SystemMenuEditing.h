#pragma once
// The edits that give a window's system menu the program's items, read their mark and take them
// off again. They run wherever the menu can be reached: in Lumenfold itself when the system lets it
// edit another process's menu, otherwise in the window's own process through TrapKit.dll. Both
// build this one file, so the items are the same whichever way they are made.
#include "TrapKitProtocol.h"

MenuResult readMark(HWND window);
MenuResult addItems(HWND window, const MenuItemsRecipe& recipe);
MenuResult removeItems(HWND window, const char* sendToText);

MenuResult performMenuOperation(HWND window, LONG operation, const MenuItemsRecipe& recipe);
