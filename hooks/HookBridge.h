#pragma once
#include "framework/CWinThread.h"
#include "framework/UniqueHandle.h"
#include "trapkit/TrapKitProtocol.h"

class MessageCatalog;
class SystemMenuInjector;

// The program's side of TrapKit.dll: the shared record "Share" and the event "new_window" that the
// library's hooks report through, the library itself (from the program's own folder, never from
// the search path) with both hooks installed, and the watcher thread that acts on the reports.
// Every set-up failure ends the program with its message.
class HookBridge : public CWinThread {
public:
    HookBridge(SystemMenuInjector& injector, const MessageCatalog& messages);
    // Removes the hooks and unloads the library. A failure is shown, but the rest of the exit
    // clean-up goes on.
    ~HookBridge() override;

    void startWatcher();
    // Asks the watcher to end and waits for it within the limit; true when it has ended.
    bool stopWatcher(DWORD limitMs);

protected:
    int Run() override;

private:
    using HookSwitch = BYTE(WINAPI*)(int install);

    void mapRecord();
    void loadLibrary();
    HookSwitch entryPoint(const char* name);

    SystemMenuInjector& injector;
    const MessageCatalog& messages;

    UniqueHandle mapping;
    SharedRecord* record = nullptr;
    UniqueHandle event;
    UniqueHandle stopEvent;
    HMODULE library = nullptr;
    HookSwitch catchSysCmd = nullptr;
    HookSwitch catchCreateWin = nullptr;
    bool watcherEnded = true;
};
