// TrapKit.dll: global hooks that tell Lumenfold about windows of every process, and that edit a
// system menu from inside the process the menu belongs to. Lumenfold loads it by full path and
// installs the hooks; the system then loads it into each process whose threads run a hook.
#include "SystemMenuEditing.h"
#include "TrapKitProtocol.h"

#include <cwchar>
#include <iterator>

namespace {
HINSTANCE thisModule;

// Hook handles are only meaningful in Lumenfold's process, which installs them. Everywhere else
// they stay null, and CallNextHookEx ignores its first argument anyway.
HHOOK windowReportHook;
HHOOK menuRequestHook;
HHOOK sysCommandHook;

// A view of a mapping that Lumenfold creates, opened on first use in each process, since
// Lumenfold may create it after the hooks are in. A program may keep this library loaded after the
// hooks are gone (Wine always does; a waiting report pins it), so the mapping's handle stays open
// with the view: while it is open the name stays taken, and a restarted Lumenfold that creates the
// mapping again gets this same one instead of a new one that nobody here would ever see.
template <typename T>
struct NamedView {
    T* volatile view;
    HANDLE mapping;
};

NamedView<SharedRecord> sharedRecord;
NamedView<MenuRequestBlock> requestBlock;
NamedView<ThreadMarksBlock> threadMarksBlock;
HANDLE volatile newWindowEvent; // open for the same reason as the mappings

constexpr char ReportedProperty[] = "LumenfoldReported";
// Titles as the system keeps them, read without a message.
constexpr WCHAR ProgramManagerTitle[] = L"Program Manager";

// Several threads of one process may get here at once; the first view published is kept and any
// other one is given back, so the cache never leaks or changes under a reader.
template <typename T>
T* cachedView(NamedView<T>& cache, const char* name)
{
    if (T* view = cache.view)
        return view;
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (mapping == nullptr)
        return nullptr;
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(T));
    if (view == nullptr
        || InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&cache.view), view, nullptr) != nullptr) {
        if (view != nullptr)
            UnmapViewOfFile(view);
        CloseHandle(mapping);
        return cache.view;
    }
    cache.mapping = mapping;
    return cache.view;
}

HANDLE cachedEvent()
{
    if (HANDLE event = newWindowEvent)
        return event;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, NewWindowEventName);
    if (event == nullptr)
        return nullptr;
    if (InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&newWindowEvent), event, nullptr) != nullptr)
        CloseHandle(event);
    return newWindowEvent;
}

// Every process writes into one slot, and the watcher may be busy for a while (a switch holds the
// desktops; a request of its own may be waiting for this very thread). So a writer never waits for
// the slot: a report that finds it taken joins this process's queue, which goes out one report at
// a time at the next hook calls of this process. A thread timer makes sure such calls come.
struct QueuedReport {
    LONG code;
    HWND window;
    LONG param;
};
constexpr int QueueLimit = 256;
constexpr UINT RetryEveryMs = 20;
CRITICAL_SECTION queueLock;
QueuedReport queue[QueueLimit];
volatile LONG queued;
UINT_PTR retryTimer;
constexpr WCHAR LumenfoldWindowTitle[] = L"LumenfoldAppWin";

bool publish(const QueuedReport& report)
{
    SharedRecord* record = cachedView(sharedRecord, SharedRecordName);
    HANDLE event = cachedEvent();
    if (record == nullptr || event == nullptr)
        return false;
    if (InterlockedCompareExchange(&record->code, RecordBeingWritten, RecordEmpty) != RecordEmpty)
        return false;
    record->window = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(report.window));
    record->param = report.param;
    // Publishing the code last tells the watcher that window and param are complete.
    InterlockedExchange(&record->code, report.code);
    SetEvent(event);
    return true;
}

// The queue's first report goes out when the slot is free; in order, so a choice made in a window
// never overtakes the window's own report.
void sendQueued()
{
    if (queued == 0)
        return;
    EnterCriticalSection(&queueLock);
    if (queued > 0 && publish(queue[0])) {
        --queued;
        for (LONG i = 0; i < queued; ++i)
            queue[i] = queue[i + 1];
    }
    LeaveCriticalSection(&queueLock);
}

// Whether Lumenfold still runs: its hidden main window is there. Titles are read without a
// message (FindWindow would ask this program's other threads, which may be stuck).
BOOL CALLBACK findLumenfold(HWND window, LPARAM found)
{
    WCHAR title[std::size(LumenfoldWindowTitle) + 1] = {};
    InternalGetWindowText(window, title, std::size(title));
    if (std::wcscmp(title, LumenfoldWindowTitle) != 0)
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool lumenfoldRuns()
{
    bool found = false;
    EnumWindows(findLumenfold, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The timer's procedure lives in this library, which therefore stays loaded in this process for
// good once a report has had to wait. When Lumenfold has gone, the waiting reports go with it.
void CALLBACK retryQueued(HWND, UINT, UINT_PTR, DWORD)
{
    EnterCriticalSection(&queueLock);
    if (!lumenfoldRuns())
        queued = 0;
    LeaveCriticalSection(&queueLock);
    sendQueued();
    EnterCriticalSection(&queueLock);
    if (queued == 0 && retryTimer != 0) {
        KillTimer(nullptr, retryTimer);
        retryTimer = 0;
    }
    LeaveCriticalSection(&queueLock);
}

void startRetrying()
{
    if (retryTimer != 0)
        return;
    HMODULE pinned = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(&retryQueued), &pinned);
    retryTimer = SetTimer(nullptr, 0, RetryEveryMs, retryQueued);
}

// False only when Lumenfold is not there to hear of it, or the queue is full.
bool report(LONG code, HWND window, LONG param)
{
    QueuedReport report = {code, window, param};
    EnterCriticalSection(&queueLock);
    bool done = queued == 0 && publish(report);
    if (!done && queued < QueueLimit && cachedView(sharedRecord, SharedRecordName) != nullptr) {
        queue[queued++] = report;
        done = true;
        startRetrying();
    }
    LeaveCriticalSection(&queueLock);
    return done;
}

// Lumenfold passes over untitled windows, and a window often gets its title only after it is
// created, so a window is worth reporting once it is shown and titled.
// Lumenfold's own windows (its dialogs and message boxes) are not reported: its watcher would edit
// and hide windows of its own user-interface thread, which may be waiting for the watcher's locks.
// The title is read without a message, so the program's window procedure is not entered from here.
bool isReportable(HWND window)
{
    if (windowReportHook != nullptr)
        return false;
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow() || !IsWindowVisible(window))
        return false;
    if (GetPropA(window, ReportedProperty) != nullptr)
        return false;
    WCHAR title[std::size(ProgramManagerTitle)] = {};
    if (InternalGetWindowText(window, title, std::size(title)) == 0)
        return false;
    return std::wcsncmp(title, ProgramManagerTitle, std::size(ProgramManagerTitle) - 1) != 0;
}

// A killed Lumenfold never removes its hooks, and Wine keeps such hooks in the chain (Windows
// drops them with their thread): this library's procedure is then called again for the same
// message, from inside its own CallNextHookEx, which hands on the very pointer it was given. Only
// the outermost call acts, or every choice would count twice ("on all desktops" chosen twice undoes
// itself) and every menu request would be served twice (the second AddItems answering AlreadyThere).
// A message that comes while the outer call runs has its own copy, at another address. The pointer
// in hand is kept per thread, in a slot of the thread's own storage taken when the library loads.
enum HookSlot { WindowReportSlot, MenuRequestSlot, SysCommandSlot, HookSlotCount };
DWORD messageInHand[HookSlotCount];

template <typename Action>
LRESULT actOnceAndPassOn(HHOOK hook, HookSlot slot, int code, WPARAM wParam, LPARAM lParam, Action act)
{
    // TlsGetValue clears the last error, which the program may be about to read.
    DWORD lastError = GetLastError();
    void* outer = TlsGetValue(messageInHand[slot]);
    SetLastError(lastError);
    if (reinterpret_cast<void*>(lParam) != outer)
        act();
    TlsSetValue(messageInHand[slot], reinterpret_cast<void*>(lParam));
    LRESULT result = CallNextHookEx(hook, code, wParam, lParam);
    TlsSetValue(messageInHand[slot], outer);
    return result;
}

void considerWindow(HWND window)
{
    if (isReportable(window) && report(RecordWindowCreated, window, 0))
        SetPropA(window, ReportedProperty, reinterpret_cast<HANDLE>(1));
}

void considerReturnedCall(const CWPRETSTRUCT& call)
{
    if (call.message == WM_WINDOWPOSCHANGED) {
        if (reinterpret_cast<const WINDOWPOS*>(call.lParam)->flags & SWP_SHOWWINDOW)
            considerWindow(call.hwnd);
    } else if (call.message == WM_SETTEXT) {
        considerWindow(call.hwnd);
    } else if (call.message == WM_DESTROY) {
        // A window must not take our property entry with it into destruction.
        RemovePropA(call.hwnd, ReportedProperty);
    }
}

LRESULT CALLBACK windowReportProc(int code, WPARAM wParam, LPARAM lParam)
{
    return actOnceAndPassOn(windowReportHook, WindowReportSlot, code, wParam, lParam, [=] {
        sendQueued();
        if (code == HC_ACTION)
            considerReturnedCall(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
    });
}

UINT menuRequestMessage()
{
    static UINT message = RegisterWindowMessageA(MenuRequestMessageName);
    return message;
}

struct ThreadMarks {
    LONG count = 0;
    DWORD windows[ThreadMarksLimit];
};

BOOL CALLBACK noteMark(HWND window, LPARAM marks)
{
    auto* found = reinterpret_cast<ThreadMarks*>(marks);
    if (readMark(window) == Marked)
        found->windows[found->count++] = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
    return found->count < ThreadMarksLimit;
}

// The list is gathered apart and copied in only while the question is still the slot's current
// one, so that a question served too late does not overwrite the list of the next.
void serveThreadMarks(HWND window, LONG serial, LPARAM slotNumber)
{
    ThreadMarksBlock* block = cachedView(threadMarksBlock, ThreadMarksMappingName);
    if (block == nullptr || slotNumber < 1 || slotNumber > ThreadMarksSlots)
        return;
    ThreadMarksSlot& slot = block->slots[slotNumber - 1];
    if (slot.requestSerial != serial || slot.window != static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)))
        return;
    ThreadMarks marks;
    EnumThreadWindows(GetCurrentThreadId(), noteMark, reinterpret_cast<LPARAM>(&marks));
    if (slot.requestSerial != serial)
        return;
    slot.markedCount = marks.count;
    CopyMemory(slot.marked, marks.windows, marks.count * sizeof marks.windows[0]);
    InterlockedExchange(&slot.reply, replyFor(serial, Done));
}

// Lumenfold waits in SendMessageTimeoutA until the reply serial appears, so nothing here may wait.
void serveMenuRequest(HWND window, LONG serial)
{
    MenuRequestBlock* block = cachedView(requestBlock, MenuRequestMappingName);
    if (block == nullptr || block->requestSerial != serial)
        return;
    MenuRequestBlock request = *block;
    MemoryBarrier();
    // Still the same request once copied: Lumenfold had not begun writing the next one.
    if (block->requestSerial != serial || request.window != static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)))
        return;
    MenuResult result = performMenuOperation(window, request.operation, request.recipe);
    InterlockedExchange(&block->reply, replyFor(serial, result));
}

void considerCall(const CWPSTRUCT& call)
{
    if (call.message == 0 || call.message != menuRequestMessage())
        return;
    if (call.lParam != 0)
        serveThreadMarks(call.hwnd, static_cast<LONG>(call.wParam), call.lParam);
    else
        serveMenuRequest(call.hwnd, static_cast<LONG>(call.wParam));
}

LRESULT CALLBACK menuRequestProc(int code, WPARAM wParam, LPARAM lParam)
{
    return actOnceAndPassOn(menuRequestHook, MenuRequestSlot, code, wParam, lParam, [=] {
        if (code == HC_ACTION)
            considerCall(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    });
}

// A program may use our ids in its own menus or controls, so a WM_COMMAND counts only when it
// comes from a menu and the window's system menu really holds our item.
bool systemMenuHolds(HWND window, UINT id)
{
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    return systemMenu != nullptr && GetMenuState(systemMenu, id, MF_BYCOMMAND) != UINT(-1);
}

bool isOurMenuCommand(const MSG& message)
{
    if (message.lParam != 0 || HIWORD(message.wParam) != 0 || !isProgramMenuCommand(LOWORD(message.wParam)))
        return false;
    return systemMenuHolds(message.hwnd, LOWORD(message.wParam));
}

void considerCommand(MSG& message)
{
    if (message.message == WM_SYSCOMMAND && isProgramMenuCommand(static_cast<UINT>(message.wParam)) &&
        systemMenuHolds(message.hwnd, static_cast<UINT>(message.wParam))) {
        report(RecordSysCommand, message.hwnd, static_cast<LONG>(message.wParam));
    } else if (message.message == WM_COMMAND && isOurMenuCommand(message)) {
        report(RecordSysCommand, message.hwnd, LOWORD(message.wParam));
        // The id may mean something else to the program, which must never act on it.
        message.message = WM_NULL;
    }
}

LRESULT CALLBACK sysCommandProc(int code, WPARAM wParam, LPARAM lParam)
{
    return actOnceAndPassOn(sysCommandHook, SysCommandSlot, code, wParam, lParam, [=] {
        sendQueued();
        // A message merely peeked at comes by again when it is removed; only that one counts.
        if (code == HC_ACTION && wParam == PM_REMOVE)
            considerCommand(*reinterpret_cast<MSG*>(lParam));
    });
}

template <typename T>
void closeView(NamedView<T>& cache)
{
    if (cache.view != nullptr)
        UnmapViewOfFile(cache.view);
    if (cache.mapping != nullptr)
        CloseHandle(cache.mapping);
}

bool removeHook(HHOOK& hook)
{
    if (hook != nullptr && !UnhookWindowsHookEx(hook))
        return false;
    hook = nullptr;
    return true;
}

bool installHook(HHOOK& hook, int type, HOOKPROC procedure)
{
    if (hook == nullptr)
        hook = SetWindowsHookExA(type, procedure, thisModule, 0);
    return hook != nullptr;
}
}

extern "C" BOOLEAN WINAPI CatchCreateWin(int install)
{
    if (install == 0) {
        bool reportsRemoved = removeHook(windowReportHook);
        return removeHook(menuRequestHook) && reportsRemoved;
    }
    if (installHook(windowReportHook, WH_CALLWNDPROCRET, windowReportProc)
        && installHook(menuRequestHook, WH_CALLWNDPROC, menuRequestProc))
        return TRUE;
    // Half of the pair is no use to Lumenfold.
    removeHook(windowReportHook);
    removeHook(menuRequestHook);
    return FALSE;
}

extern "C" BOOLEAN WINAPI CatchSysCmd(int install)
{
    if (install == 0)
        return removeHook(sysCommandHook);
    return installHook(sysCommandHook, WH_GETMESSAGE, sysCommandProc);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        InitializeCriticalSection(&queueLock);
        // Without a slot every call acts, which is right wherever a dead program's hooks are dropped.
        for (DWORD& slot : messageInHand)
            slot = TlsAlloc();
        // Hooks may be loaded into busy programs with many threads; none of them needs telling.
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Only on unloading: when the process ends, the system takes everything back itself and
        // other threads may have been stopped halfway through using these.
        closeView(sharedRecord);
        closeView(requestBlock);
        closeView(threadMarksBlock);
        if (newWindowEvent != nullptr)
            CloseHandle(newWindowEvent);
        for (DWORD slot : messageInHand) {
            if (slot != TLS_OUT_OF_INDEXES)
                TlsFree(slot);
        }
    }
    return TRUE;
}
