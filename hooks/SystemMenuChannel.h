#pragma once
#include "framework/CSemaphore.h"
#include "trapkit/TrapKitProtocol.h"

#include <functional>
#include <set>
#include <vector>

// The way to a window's system menu. Where the system lets this process edit the menu (always on
// Windows, where menus are shared by the whole desktop), the edit is made here. Where it does not
// (Wine gives no other process's system menu), the edit is asked of TrapKit.dll's hook inside the
// window's own process, with a bound, so that a hung window never holds up a switch.
class SystemMenuChannel {
public:
    MenuResult perform(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe = nullptr);

    // The windows among these whose item carries the mark. A thread that is asked is asked once,
    // for all its windows; one that mayAsk rules out is not asked, and its windows count as unmarked.
    std::set<HWND> markedAmong(const std::vector<HWND>& windows, const std::function<bool(HWND)>& mayAsk);

    // The one channel of the process. It is never destroyed: programs may still be answering a
    // request while the exit clean-up runs, and the system frees it with the process.
    static SystemMenuChannel& instance();

private:
    SystemMenuChannel();
    bool reachableByRequest(HWND window) const;
    MenuResult request(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe,
                       std::set<HWND>* threadMarks = nullptr);
    bool openRequestBlock();

    // Innermost of the program's locks: nothing else is taken while it is held.
    CSemaphore lock{1, 1};
    HANDLE mapping = nullptr;
    MenuRequestBlock* block = nullptr;
    UINT requestMessage = 0;
    LONG lastSerial = 0;
};
