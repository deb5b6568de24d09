#pragma once
#include <windows.h>

class CommandMap;
class LockedDesktops;
class MessageCatalog;

// The tray icon's popup menu, built afresh for every opening: one submenu per desktop, named after
// it and checked for the current one, holding "Close all apps", "Switch on this desktop" and the
// desktop's windows; then "Terminate". Every item but "Terminate" takes its id from the command
// map, in the order the items are appended. Opening the menu files the visible windows under the
// current desktop again. The caller destroys the menu.
HMENU buildTrayMenu(LockedDesktops& desktops, CommandMap& commands, const MessageCatalog& messages);
