#pragma once
#include <windows.h>

#include <map>

// Gives meaning to the command ids that the tray menu hands out while it is built: each id names
// a window (bring it to the current desktop) or a desktop ("Close all apps", "Switch on this
// desktop"). All three maps draw on one counter, so an id stands in one map at most; id 1 is the
// fixed "Terminate" and is never handed out, and 0 is never stored, so it can mean "absent".
class CommandMap {
public:
    int addWindowCommand(HWND window);
    int addCloseAllCommand(int desktopId);
    int addSwitchCommand(int desktopId);

    HWND windowFor(int id) const;
    int closeAllFor(int id) const;
    int switchFor(int id) const;

    void clear();

    const int baseId = 2;
    int nextId = 2;
    std::map<int, HWND> windowCommands;
    std::map<int, int> closeAllCommands;
    std::map<int, int> switchCommands;
};
