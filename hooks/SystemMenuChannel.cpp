#include "SystemMenuChannel.h"

#include "trapkit/SystemMenuEditing.h"

namespace {
// As long as a live program may take to answer; a hung one is skipped without waiting at all once
// the system has marked it.
const UINT RequestLimitMs = 200;

const MenuItemsRecipe& orEmpty(const MenuItemsRecipe* recipe)
{
    static const MenuItemsRecipe empty = {};
    return recipe != nullptr ? *recipe : empty;
}

bool ownedByAnotherProcess(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process != 0 && process != GetCurrentProcessId();
}
}

SystemMenuChannel::SystemMenuChannel() : requestMessage(RegisterWindowMessageA(MenuRequestMessageName)) {}

SystemMenuChannel& SystemMenuChannel::instance()
{
    static SystemMenuChannel* channel = new SystemMenuChannel;
    return *channel;
}

MenuResult SystemMenuChannel::perform(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe)
{
    if (GetSystemMenu(window, FALSE) != nullptr)
        return performMenuOperation(window, operation, orEmpty(recipe));
    if (!reachableByRequest(window))
        return NoSystemMenu;
    return request(window, operation, recipe);
}

ThreadMarksQuestion SystemMenuChannel::askThreadMarks(const std::vector<WindowEntry>& windows)
{
    ThreadMarksQuestion asked;
    CSingleLock hold(lock);
    if (!hold.IsLocked() || !openRequestBlock())
        return asked;
    std::set<DWORD> askedThreads;
    for (const WindowEntry& entry : windows) {
        HWND window = entry.hwnd;
        if (asked.threads.size() == ThreadMarksSlots || askedThreads.count(entry.threadId) != 0)
            continue;
        // Any window of the thread will do, but only one with a system menu takes the request.
        bool ofAnotherProcess = entry.processId != 0 && entry.processId != GetCurrentProcessId();
        if (!ofAnotherProcess || GetSystemMenu(window, FALSE) != nullptr ||
            !(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU))
            continue;
        askedThreads.insert(entry.threadId);
        if (IsHungAppWindow(window))
            continue;
        // Slots go round, so that a question served late most likely finds its slot still unused.
        ThreadMarksQuestion::AskedThread question = {window, nextSlot, nextSerial()};
        nextSlot = (nextSlot + 1) % ThreadMarksSlots;
        ThreadMarksSlot& slot = block->threadMarks[question.slot];
        InterlockedExchange(&slot.requestSerial, 0);
        slot.window = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
        InterlockedExchange(&slot.reply, 0);
        InterlockedExchange(&slot.requestSerial, question.serial);
        if (SendNotifyMessageA(window, requestMessage, static_cast<WPARAM>(question.serial), question.slot + 1))
            asked.threads.push_back(question);
    }
    return asked;
}

std::set<HWND> SystemMenuChannel::markedAmong(const std::vector<HWND>& windows, const ThreadMarksQuestion& asked,
                                              const std::function<bool(HWND)>& answered)
{
    std::set<HWND> marked;
    for (HWND window : windows) {
        if (GetSystemMenu(window, FALSE) != nullptr && readMark(window) == Marked)
            marked.insert(window);
    }
    for (const ThreadMarksQuestion::AskedThread& thread : asked.threads) {
        if (answered(thread.window))
            readThreadMarks(thread, marked);
    }
    return marked;
}

// No reply with the question's serial: the hook library is not (yet) in that process.
void SystemMenuChannel::readThreadMarks(const ThreadMarksQuestion::AskedThread& thread, std::set<HWND>& marked) const
{
    const ThreadMarksSlot& slot = block->threadMarks[thread.slot];
    if (slot.reply != replyFor(thread.serial, Done))
        return;
    LONG count = slot.markedCount < ThreadMarksLimit ? slot.markedCount : ThreadMarksLimit;
    for (LONG index = 0; index < count; ++index)
        marked.insert(reinterpret_cast<HWND>(static_cast<UINT_PTR>(slot.marked[index])));
}

bool SystemMenuChannel::reachableByRequest(HWND window) const
{
    return ownedByAnotherProcess(window) && (GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU);
}

MenuResult SystemMenuChannel::request(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe)
{
    CSingleLock hold(lock);
    if (!hold.IsLocked() || !openRequestBlock() || IsHungAppWindow(window))
        return Unreached;

    LONG serial = nextSerial();
    InterlockedExchange(&block->requestSerial, 0);
    block->operation = operation;
    block->window = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
    block->recipe = orEmpty(recipe);
    InterlockedExchange(&block->requestSerial, serial);

    DWORD_PTR ignored = 0;
    // Messages sent to this thread meanwhile are answered: the window's thread may be waiting for
    // one of them (activation does that) before it takes the request. None of this thread's
    // handlers makes a menu request, so none comes back here.
    if (!SendMessageTimeoutA(window, requestMessage, static_cast<WPARAM>(serial), 0, SMTO_ABORTIFHUNG,
                             RequestLimitMs, &ignored))
        return Unreached;
    // No reply with our serial: the hook library is not (yet) in that process.
    LONG reply = block->reply;
    if ((reply >> ResultBits) != serial)
        return Unreached;
    return static_cast<MenuResult>(reply & ((1 << ResultBits) - 1));
}

// Serials stay small enough to share one value with the result, and are never 0.
LONG SystemMenuChannel::nextSerial()
{
    return lastSerial = lastSerial % 0x0FFFFFFF + 1;
}

bool SystemMenuChannel::openRequestBlock()
{
    if (block != nullptr)
        return true;
    mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(MenuRequestBlock),
                                 MenuRequestMappingName);
    if (mapping == nullptr)
        return false;
    block = static_cast<MenuRequestBlock*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(MenuRequestBlock)));
    if (block == nullptr)
        return false;
    // Hooked programs keep the block of an earlier run alive, with its last reply: serials go on
    // from a value of this run's own.
    lastSerial = static_cast<LONG>(GetTickCount() & 0x0FFFFFFF);
    InterlockedExchange(&block->reply, 0);
    return true;
}
