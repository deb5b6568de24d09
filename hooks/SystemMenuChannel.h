#pragma once
#include "framework/CSemaphore.h"
#include "trapkit/TrapKitProtocol.h"

// The way to a window's system menu. Where the system lets this process edit the menu (always on
// Windows, where menus are shared by the whole desktop), the edit is made here. Where it does not
// (Wine gives no other process's system menu), the edit is asked of TrapKit.dll's hook inside the
// window's own process, with a bound, so that a hung window never holds up a switch.
class SystemMenuChannel {
public:
    MenuResult perform(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe = nullptr);

    // The one channel of the process. It is never destroyed: programs may still be answering a
    // request while the exit clean-up runs, and the system frees it with the process.
    static SystemMenuChannel& instance();

private:
    SystemMenuChannel();
    MenuResult request(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe);
    bool openRequestBlock();

    // Innermost of the program's locks: nothing else is taken while it is held.
    CSemaphore lock{1, 1};
    HANDLE mapping = nullptr;
    MenuRequestBlock* block = nullptr;
    UINT requestMessage = 0;
    LONG lastSerial = 0;
};
