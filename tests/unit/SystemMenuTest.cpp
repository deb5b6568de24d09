// The tray menu, the system-menu items and the watcher's record, in-process: the test's own
// windows, so the items are made through the direct path (the system menu edited from here).
#include "app/CommandMap.h"
#include "app/MessageCatalog.h"
#include "app/TrayMenu.h"
#include "desktops/DesktopManager.h"
#include "desktops/LockedDesktops.h"
#include "hooks/SystemMenuChannel.h"
#include "hooks/SystemMenuInjector.h"
#include "hooks/WindowWatcher.h"
#include "tests/support/HiddenWindow.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/TestWindow.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct MenuItem {
    UINT id;
    std::string text;
    UINT state;
    HMENU submenu;
};

std::vector<MenuItem> itemsOf(HMENU menu)
{
    std::vector<MenuItem> items;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        char text[64] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, position, TRUE, &item);
        items.push_back({item.wID, text, item.fState, item.hSubMenu});
    }
    return items;
}

std::vector<UINT> idsOf(HMENU menu)
{
    std::vector<UINT> ids;
    for (const MenuItem& item : itemsOf(menu))
        ids.push_back(item.submenu != nullptr ? 0 : item.id);
    return ids;
}

// The program's items at the end of a window's system menu, from "on all desktops" on.
std::vector<MenuItem> programItems(HWND window)
{
    std::vector<MenuItem> items = itemsOf(GetSystemMenu(window, FALSE));
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].id == OnAllDesktopsCmd)
            return std::vector<MenuItem>(items.begin() + i, items.end());
    }
    return {};
}

class SystemMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry::resetProgramKeys();
        settings.emplace(messages);
        manager.emplace(*settings, messages);
        desktops.emplace(*manager);
        desktops->attachMainWindow(mainWindow.handle());
        desktops->loadDesktops();
        injector.emplace(*desktops, messages, SystemMenuChannel::instance());
        injector->attachMainWindow(mainWindow.handle());
    }

    MessageCatalog messages{"eng"};
    HiddenWindow mainWindow;
    std::optional<Settings> settings;
    std::optional<DesktopManager> manager;
    std::optional<LockedDesktops> desktops;
    std::optional<SystemMenuInjector> injector;
};

TEST_F(SystemMenus, TheTrayMenuHandsOutIdsInTheOrderItsItemsAreAppended)
{
    TestWindow onThree("On three");
    desktops->sendWindowTo(3, onThree.handle());
    TestWindow lower("Lower");
    TestWindow upper("Upper");

    CommandMap commands;
    HMENU menu = buildTrayMenu(*desktops, commands, messages);
    std::vector<MenuItem> top = itemsOf(menu);
    ASSERT_EQ(top.size(), 5u);
    EXPECT_EQ(top[0].text, "VirtDesk1");
    EXPECT_EQ(top[0].state & MFS_CHECKED, MFS_CHECKED) << "the current desktop is checked";
    EXPECT_EQ(top[1].state & MFS_CHECKED, 0u);
    EXPECT_EQ(top[4].id, 1u);
    EXPECT_EQ(top[4].text, "Terminate");

    EXPECT_EQ(idsOf(top[0].submenu), (std::vector<UINT>{2, 0, 3, 4})) << "close all, separator, two windows";
    EXPECT_EQ(itemsOf(top[0].submenu)[2].text, "Upper") << "windows from the top of the stacking order";
    EXPECT_EQ(idsOf(top[1].submenu), (std::vector<UINT>{5})) << "a desktop without windows: switch only";
    EXPECT_EQ(idsOf(top[2].submenu), (std::vector<UINT>{6, 7, 0, 8}));
    EXPECT_EQ(itemsOf(top[2].submenu)[3].text, "On three");
    EXPECT_EQ(commands.windowFor(8), onThree.handle());
    EXPECT_EQ(commands.closeAllFor(6), 3);
    EXPECT_EQ(commands.switchFor(5), 2);
    DestroyMenu(menu);
}

// Sending from the menu hides and files the window as DesktopModel's placement cases show; here
// the command's dispatch and the items remade for the new desktop.
TEST_F(SystemMenus, ANewWindowGetsOnAllDesktopsAndSendToEveryOtherDesktopRemadeWhenSent)
{
    desktops->switchTo(2);
    TestWindow window("Editor");
    injector->injectInto(window.handle(), -1, false);
    injector->injectInto(window.handle(), 3, false); // has the items already: unchanged

    std::vector<MenuItem> items = programItems(window.handle());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "on all desktops");
    EXPECT_EQ(items[1].text, "send to");
    std::vector<MenuItem> sendTo = itemsOf(items[1].submenu);
    ASSERT_EQ(sendTo.size(), 2u);
    EXPECT_EQ(sendTo[0].id, 1825u);
    EXPECT_EQ(sendTo[0].text, "VirtDesk1");
    EXPECT_EQ(sendTo[1].id, 1827u);
    for (const MenuItem& item : {items[0], items[1], sendTo[0], sendTo[1]})
        EXPECT_EQ(item.state, 0u) << item.text << ": unchecked, enabled";

    injector->onSystemCommand(window.handle(), SendToCmdBase + 3);
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(desktops->windowAt(3, 0)->hwnd, window.handle());
    sendTo = itemsOf(programItems(window.handle()).at(1).submenu);
    ASSERT_EQ(sendTo.size(), 2u);
    EXPECT_EQ(sendTo[1].id, 1826u);
}

// A list made before a desktop was deleted: its entry for that desktop moves nothing and the list
// is made anew.
TEST_F(SystemMenus, AStaleSendToEntryMovesNothingAndRemakesTheList)
{
    TestWindow window("Editor");
    injector->injectInto(window.handle(), -1, false);
    desktops->deleteDesktop(3);
    injector->onSystemCommand(window.handle(), SendToCmdBase + 3);
    EXPECT_TRUE(window.visible());
    std::vector<MenuItem> sendTo = itemsOf(programItems(window.handle()).at(1).submenu);
    ASSERT_EQ(sendTo.size(), 1u);
    EXPECT_EQ(sendTo[0].id, 1826u);
}

TEST_F(SystemMenus, WindowsWithoutATitleOrTheOptionsDialogsTitleGetNothing)
{
    for (const char* title : {"", "Lumenfold"}) {
        TestWindow window(title);
        injector->injectInto(window.handle(), -1, false);
        EXPECT_TRUE(programItems(window.handle()).empty()) << "title '" << title << "'";
    }
}

TEST_F(SystemMenus, RemovingTheItemsRevertsTheWholeSystemMenuToTheDefault)
{
    TestWindow window("Editor");
    int defaultCount = GetMenuItemCount(GetSystemMenu(window.handle(), FALSE));
    AppendMenuA(GetSystemMenu(window.handle(), FALSE), MF_STRING, 0x7000, "the application's own");
    injector->injectAll();
    desktops->switchTo(2);
    injector->removeFromAll();
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window.handle(), FALSE)), defaultCount);
}

TEST(WatcherRecord, OnlyPublishedReportsAreTakenAndEveryOtherSlotIsEmptiedButAWriterIsNot)
{
    const struct { LONG code; bool taken; LONG codeAfter; } cases[] = {
        {RecordEmpty, false, RecordEmpty}, {RecordBeingWritten, false, RecordBeingWritten},
        {RecordWindowCreated, true, RecordEmpty}, {RecordSysCommand, true, RecordEmpty}, {7, false, RecordEmpty}};
    for (const auto& each : cases) {
        SharedRecord record = {each.code, 0x1234, 1827};
        Notification taken = {};
        EXPECT_EQ(takeNotification(record, &taken), each.taken) << "code " << each.code;
        EXPECT_EQ(record.code, each.codeAfter) << "code " << each.code;
        if (each.taken) {
            EXPECT_EQ(taken.window, reinterpret_cast<HWND>(0x1234));
            EXPECT_EQ(taken.param, 1827);
        }
    }
}

// Names and titles are handed out as copies: a reader on another thread never sees freed text
// while desktops are renamed and windows refiled.
TEST_F(SystemMenus, NamesAndTitlesReadOnAnotherThreadStayWholeWhileTheModelChanges)
{
    TestWindow a("Alpha"), b("Bravo");
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!done) {
            std::optional<std::string> name = desktops->desktopName(2);
            if (name && *name != "VirtDesk2" && *name != "Renamed.......")
                ++torn;
            for (unsigned i = 0;; ++i) {
                std::optional<WindowEntry> entry = desktops->windowAt(1, i);
                if (!entry)
                    break;
                if (entry->title != "Alpha" && entry->title != "Bravo")
                    ++torn;
            }
        }
    });
    for (int round = 0; round < 300; ++round) {
        desktops->setName(2, round % 2 ? "Renamed......." : "VirtDesk2");
        desktops->forgetWindows(1);
        desktops->captureVisible();
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
}

} // namespace
