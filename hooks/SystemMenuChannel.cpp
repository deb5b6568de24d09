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

std::set<HWND> SystemMenuChannel::markedAmong(const std::vector<HWND>& windows,
                                              const std::function<bool(HWND)>& mayAsk)
{
    std::set<HWND> marked;
    std::set<DWORD> askedThreads;
    for (HWND window : windows) {
        if (GetSystemMenu(window, FALSE) != nullptr) {
            if (readMark(window) == Marked)
                marked.insert(window);
        } else if (DWORD thread = GetWindowThreadProcessId(window, nullptr);
                   askedThreads.count(thread) == 0 && reachableByRequest(window) && mayAsk(window)) {
            askedThreads.insert(thread);
            request(window, ReadThreadMarks, nullptr, &marked);
        }
    }
    return marked;
}

bool SystemMenuChannel::reachableByRequest(HWND window) const
{
    return ownedByAnotherProcess(window) && (GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU);
}

MenuResult SystemMenuChannel::request(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe,
                                      std::set<HWND>* threadMarks)
{
    CSingleLock hold(lock);
    if (!hold.IsLocked() || !openRequestBlock() || IsHungAppWindow(window))
        return Unreached;

    // Serials stay small enough to share one value with the result, and never 0.
    LONG serial = lastSerial = lastSerial % 0x0FFFFFFF + 1;
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
    auto result = static_cast<MenuResult>(reply & ((1 << ResultBits) - 1));
    if (threadMarks != nullptr && result == Done) {
        LONG count = block->markedCount < ThreadMarksLimit ? block->markedCount : ThreadMarksLimit;
        for (LONG index = 0; index < count; ++index)
            threadMarks->insert(reinterpret_cast<HWND>(static_cast<UINT_PTR>(block->marked[index])));
    }
    return result;
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
