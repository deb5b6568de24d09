#include "SystemMenuInjector.h"

#include "SystemMenuChannel.h"
#include "SystemMenuItems.h"
#include "TopLevelWindows.h"
#include "app/MessageCatalog.h"
#include "desktops/LockedDesktops.h"

#include <string>

namespace {
// The options dialog's title: the program's own dialog never carries the items.
const char OptionsDialogTitle[] = "Lumenfold";

bool takesItems(HWND window)
{
    std::string title = windowTitle(window);
    return !title.empty() && title != OptionsDialogTitle;
}

void copyText(char* destination, size_t size, const char* text)
{
    lstrcpynA(destination, text, static_cast<int>(size));
}
}

SystemMenuInjector::SystemMenuInjector(LockedDesktops& desktops, const MessageCatalog& messages,
                                       SystemMenuChannel& channel)
    : desktops(desktops), messages(messages), channel(channel)
{
}

SystemMenuInjector::~SystemMenuInjector()
{
    removeFromAll();
}

MenuResult SystemMenuInjector::injectInto(HWND window, int desk, bool onAllDesktops)
{
    CSingleLock hold(lock);
    return makeItems(window, desk, onAllDesktops);
}

// Every window of one pass gets its items for the desktop current during that pass.
void SystemMenuInjector::injectAll()
{
    forEachUserWindow(mainWindow, [this](HWND window, const std::string&) {
        CSingleLock hold(lock);
        if (makeStartupItems(window) == Unreached)
            unreached.push_back(window);
    });
}

void SystemMenuInjector::injectUnreached()
{
    std::vector<HWND> windows;
    {
        CSingleLock hold(lock);
        windows.swap(unreached);
    }
    for (HWND window : windows) {
        CSingleLock hold(lock);
        makeStartupItems(window);
    }
}

void SystemMenuInjector::removeFrom(HWND window)
{
    CSingleLock hold(lock);
    takeItemsOff(window);
}

// Every filed window, and the visible windows not yet filed: once the program has gone, "send to"
// would reach the application itself (under Wine as WM_COMMAND with our ids). A window on all
// desktops keeps its one checked item.
void SystemMenuInjector::removeFromAll()
{
    for (const DesktopSnapshot& desk : desktops.snapshot()) {
        for (const WindowEntry& entry : desk.windows)
            removeFrom(entry.hwnd);
    }
    forEachUserWindow(mainWindow, [this](HWND window, const std::string&) {
        if (!isOnAllDesktops(window))
            removeFrom(window);
    });
}

void SystemMenuInjector::rebuildAll()
{
    desktops.captureVisible();
    std::vector<DesktopSnapshot> all = desktops.snapshot();
    for (size_t index = 0; index < all.size(); ++index) {
        for (const WindowEntry& entry : all[index].windows) {
            CSingleLock hold(lock);
            if (isOnAllDesktops(entry.hwnd))
                continue;
            takeItemsOff(entry.hwnd);
            makeItems(entry.hwnd, static_cast<int>(index) + 1, false);
        }
    }
}

// The whole choice is one locked unit, so that the watcher and the user-interface thread never
// edit the same menu at once.
void SystemMenuInjector::onSystemCommand(HWND window, int commandId)
{
    CSingleLock hold(lock);
    int desk = commandId - static_cast<int>(SendToCmdBase);
    if (desk > 0 && desk < desktops.idEnd()) {
        takeItemsOff(window);
        desktops.sendWindowTo(static_cast<DesktopId>(desk), window);
        makeItems(window, desk, false);
    } else if (commandId == static_cast<int>(OnAllDesktopsCmd)) {
        bool wasOnAll = isOnAllDesktops(window);
        takeItemsOff(window);
        if (wasOnAll)
            desktops.addWindow(window);
        else
            desktops.removeWindow(window);
        makeItems(window, -1, !wasOnAll);
    } else if (desk > 0 && desk <= MaxDesktops) {
        // An entry of a desktop deleted since the list was made: the list is made anew.
        takeItemsOff(window);
        makeItems(window, -1, false);
    }
}

MenuResult SystemMenuInjector::makeItems(HWND window, int desk, bool onAllDesktops)
{
    if (!takesItems(window))
        return NoSystemMenu;
    if (desk < 0)
        desk = desktops.currentId();

    MenuItemsRecipe recipe = {};
    recipe.marked = onAllDesktops;
    copyText(recipe.onAllDesktopsText, sizeof recipe.onAllDesktopsText, messages.text(MsgOnAllDesktops));
    copyText(recipe.sendToText, sizeof recipe.sendToText, messages.text(MsgSendTo));
    for (int other = 1; recipe.entryCount < MaxDesktops; ++other) {
        std::optional<std::string> name = desktops.desktopName(static_cast<DesktopId>(other));
        if (!name)
            break;
        if (other == desk)
            continue;
        MenuItemsRecipe::Entry& entry = recipe.entries[recipe.entryCount++];
        entry.id = SendToCmdBase + other;
        copyText(entry.name, sizeof entry.name, name->c_str());
    }
    return channel.perform(window, AddItems, &recipe);
}

// Items that a Lumenfold which was killed left behind name the desktops as they were then: a window
// it had hidden on desktop 3 would offer "send to" the current desktop and not desktop 3. They are
// made anew only where the window says they carry no mark: a mark that could not be read may be
// there, and it is the only record of "on all desktops".
MenuResult SystemMenuInjector::makeStartupItems(HWND window)
{
    MenuResult result = makeItems(window, -1, false);
    if (result != AlreadyThere || channel.perform(window, ReadMark) != NotMarked)
        return result;
    takeItemsOff(window);
    return makeItems(window, -1, false);
}

void SystemMenuInjector::takeItemsOff(HWND window)
{
    MenuItemsRecipe recipe = {};
    copyText(recipe.sendToText, sizeof recipe.sendToText, messages.text(MsgSendTo));
    channel.perform(window, RemoveItems, &recipe);
}
