#include "SystemMenuChannel.h"

#include "trapkit/SystemMenuEditing.h"

#include <algorithm>
#include <set>

namespace {
// As long as a live program may take to answer; a hung one is skipped without waiting at all once
// the system has marked it.
const UINT RequestLimitMs = 200;

// The last reply to the marks question in each slot, as the question's tag. The window procedure
// replies whether or not the hook library is in its process, so a reply shows that the thread
// answers even where the marks cannot be read. Replies come to the asking thread only.
ULONG_PTR repliedTags[ThreadMarksSlots];

// The slot in the low byte, the serial above it: a late reply to an earlier question in the same
// slot carries another serial.
ULONG_PTR replyTagOf(const ThreadMarksQuestion::AskedThread& thread)
{
    return (static_cast<ULONG_PTR>(thread.serial) << 8) | static_cast<ULONG_PTR>(thread.slot);
}

void CALLBACK receiveMarksReply(HWND, UINT, ULONG_PTR tag, LRESULT)
{
    repliedTags[tag & 0xFF] = tag;
}

const MenuItemsRecipe& orEmpty(const MenuItemsRecipe* recipe)
{
    static const MenuItemsRecipe empty = {};
    return recipe != nullptr ? *recipe : empty;
}

DWORD processOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// The named mapping, created or opened, and a view of it; neither is kept when either fails.
template <typename T>
T* openSharedView(const char* name, HANDLE& mapping)
{
    mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(T), name);
    if (mapping == nullptr)
        return nullptr;
    auto* view = static_cast<T*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(T)));
    if (view == nullptr) {
        CloseHandle(mapping);
        mapping = nullptr;
    }
    return view;
}
}

// Hooked programs keep the mappings of an earlier run alive, with their last replies: serials go
// on from a value of this run's own.
SystemMenuChannel::SystemMenuChannel()
    : requestMessage(RegisterWindowMessageA(MenuRequestMessageName)),
      lastSerial(static_cast<LONG>(GetTickCount() & 0x0FFFFFFF))
{
}

SystemMenuChannel& SystemMenuChannel::instance()
{
    static SystemMenuChannel* channel = new SystemMenuChannel;
    return *channel;
}

MenuResult SystemMenuChannel::perform(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe)
{
    if (GetSystemMenu(window, FALSE) != nullptr)
        return performMenuOperation(window, operation, orEmpty(recipe));
    if (!reachableByRequest(window, processOf(window)))
        return NoSystemMenu;
    return request(window, operation, recipe);
}

ThreadMarksQuestion SystemMenuChannel::askThreadMarks(const std::vector<WindowEntry>& windows)
{
    CSingleLock hold(lock);
    if (!hold.IsLocked() || !openThreadMarks())
        return ThreadMarksQuestion();
    ThreadMarksQuestion asked(threadMarks);
    std::set<DWORD> askedThreads;
    for (const WindowEntry& entry : windows) {
        HWND window = entry.hwnd;
        if (asked.size() == ThreadMarksSlots || askedThreads.count(entry.threadId) != 0)
            continue;
        // Only a window with a system menu can carry the mark, so a thread is asked when it has one;
        // any of its windows takes the question for all of them.
        if (GetSystemMenu(window, FALSE) != nullptr || !reachableByRequest(window, entry.processId))
            continue;
        askedThreads.insert(entry.threadId);
        if (IsHungAppWindow(window))
            continue;
        ThreadMarksQuestion::AskedThread question = {entry.threadId, window, nextSlot, nextSerial()};
        ThreadMarksSlot& slot = threadMarks->slots[question.slot];
        InterlockedExchange(&slot.requestSerial, 0);
        slot.window = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
        InterlockedExchange(&slot.reply, 0);
        InterlockedExchange(&slot.requestSerial, question.serial);
        if (!SendMessageCallbackA(window, requestMessage, static_cast<WPARAM>(question.serial), question.slot + 1,
                                  receiveMarksReply, replyTagOf(question)))
            continue;
        asked.add(question);
        // Slots go round, so that a question served late most likely finds its slot still unused.
        nextSlot = (nextSlot + 1) % ThreadMarksSlots;
    }
    return asked;
}

// A thread was asked because this process cannot read its menus, and its answer covers all of its
// windows: they are not tried again (under Wine, GetSystemMenu on another program's window costs a
// request to find that out).
bool SystemMenuChannel::carriesMark(const WindowEntry& window, const ThreadMarksQuestion& asked, bool threadAnswered)
{
    if (asked.sentTo(window.threadId))
        return threadAnswered && asked.lists(window.threadId, window.hwnd);
    return GetSystemMenu(window.hwnd, FALSE) != nullptr && readMark(window.hwnd) == Marked;
}

const ThreadMarksQuestion::AskedThread* ThreadMarksQuestion::find(DWORD threadId) const
{
    auto found = std::find_if(threads.begin(), threads.end(),
                              [threadId](const AskedThread& thread) { return thread.threadId == threadId; });
    return found != threads.end() ? &*found : nullptr;
}

bool ThreadMarksQuestion::answeredBy(DWORD threadId) const
{
    const AskedThread* thread = find(threadId);
    return thread != nullptr && (served(*thread) || repliedTags[thread->slot] == replyTagOf(*thread));
}

// No reply with the question's serial in the slot: the hook library is not (yet) in that process.
bool ThreadMarksQuestion::served(const AskedThread& thread) const
{
    return answers->slots[thread.slot].reply == replyFor(thread.serial, Done);
}

bool ThreadMarksQuestion::lists(DWORD threadId, HWND window) const
{
    const AskedThread* thread = find(threadId);
    if (thread == nullptr || !served(*thread))
        return false;
    const ThreadMarksSlot& slot = answers->slots[thread->slot];
    LONG count = slot.markedCount < ThreadMarksLimit ? slot.markedCount : ThreadMarksLimit;
    DWORD wanted = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
    return std::find(slot.marked, slot.marked + count, wanted) != slot.marked + count;
}

bool SystemMenuChannel::reachableByRequest(HWND window, DWORD processId) const
{
    return processId != 0 && processId != GetCurrentProcessId() && (GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU);
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
    return (reply >> ResultBits) == serial ? static_cast<MenuResult>(reply & ((1 << ResultBits) - 1)) : Unreached;
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
    block = openSharedView<MenuRequestBlock>(MenuRequestMappingName, mapping);
    if (block == nullptr)
        return false;
    InterlockedExchange(&block->reply, 0);
    return true;
}

bool SystemMenuChannel::openThreadMarks()
{
    if (threadMarks == nullptr)
        threadMarks = openSharedView<ThreadMarksBlock>(ThreadMarksMappingName, threadMarksMapping);
    return threadMarks != nullptr;
}
