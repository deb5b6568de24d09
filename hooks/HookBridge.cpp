#include "HookBridge.h"

#include "WindowWatcher.h"
#include "app/MessageCatalog.h"

#include <string>

namespace {
const char LibraryName[] = "TrapKit.dll";
}

HookBridge::HookBridge(SystemMenuInjector& injector, const MessageCatalog& messages)
    : injector(injector), messages(messages)
{
    mapRecord();
    event.reset(CreateEventA(nullptr, FALSE, FALSE, NewWindowEventName));
    if (!event.valid())
        messages.fatalError(MsgCantCreateEvent);
    stopEvent.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!stopEvent.valid())
        messages.fatalError(MsgCantCreateEvent);
    loadLibrary();

    catchCreateWin = entryPoint("CatchCreateWin");
    if (catchCreateWin(1) == 0)
        messages.fatalError(MsgCantSetGetMessageHook);
    catchSysCmd = entryPoint("CatchSysCmd");
    if (catchSysCmd(1) == 0)
        messages.fatalError(MsgCantSetShellHook);
}

HookBridge::~HookBridge()
{
    // Removed in the reverse order of installing.
    if (catchSysCmd != nullptr && catchSysCmd(0) == 0)
        messages.showErrorBox(messages.text(MsgCantRemoveGetMessageHook));
    if (catchCreateWin != nullptr && catchCreateWin(0) == 0)
        messages.showErrorBox(messages.text(MsgCantRemoveShellHook));
    if (library != nullptr)
        FreeLibrary(library);
    // A watcher that could not be stopped may still read the record: it keeps the record and its
    // event, and the system frees them with the process.
    if (!stopWatcher(0)) {
        (void)mapping.release();
        (void)event.release();
        return;
    }
    if (record != nullptr)
        UnmapViewOfFile(record);
}

void HookBridge::startWatcher()
{
    watcherEnded = false;
    if (!CreateThread())
        messages.fatalError(MsgCantCreateThread);
}

bool HookBridge::stopWatcher(DWORD limitMs)
{
    if (stopEvent.valid())
        SetEvent(stopEvent.get());
    if (!watcherEnded)
        watcherEnded = WaitForEnd(limitMs);
    return watcherEnded;
}

int HookBridge::Run()
{
    WindowWatcher(*record, event.get(), stopEvent.get(), injector).run();
    return 0;
}

// "Share" may exist already, made first by the library's side: the existing one is used.
void HookBridge::mapRecord()
{
    mapping.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedRecord),
                                     SharedRecordName));
    if (!mapping.valid())
        messages.fatalError(MsgCantCreateMapping);
    record = static_cast<SharedRecord*>(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedRecord)));
    if (record == nullptr)
        messages.fatalError(MsgCantMapMemory);
    // Hooked programs keep the mapping of an earlier run alive, with whatever its last report left.
    InterlockedExchange(&record->code, RecordEmpty);
}

// Always by full path from the folder of the program's own executable: a TrapKit.dll in the current
// folder or on the search path is never taken.
void HookBridge::loadLibrary()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        messages.fatalError(MsgNoModuleDirectory);
    std::string directory(path, length);
    directory.resize(directory.find_last_of('\\') == std::string::npos ? 0 : directory.find_last_of('\\'));

    library = LoadLibraryA((directory + "\\" + LibraryName).c_str());
    if (library == nullptr)
        messages.fatalError(MsgCantLoadLibrary);
}

HookBridge::HookSwitch HookBridge::entryPoint(const char* name)
{
    auto found = reinterpret_cast<HookSwitch>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (found == nullptr)
        messages.fatalError(MsgCantGetLibraryFunction);
    return found;
}
