// The tray menu, the system-menu items and the watcher's record, in-process: the test's own
// windows, so the items are made through the direct path (the system menu edited from here).
#include "app/CommandMap.h"
#include "app/TrayMenu.h"
#include "hooks/SystemMenuChannel.h"
#include "hooks/SystemMenuInjector.h"
#include "hooks/WindowWatcher.h"
#include "tests/support/ModelTest.h"

#include <atomic>
#include <string>
#include <thread>

namespace {

// A menu as text, from its first item on: "id text" each, "-" a separator, a submenu as its text
// and its items in brackets; "*" marks a checked item, "!" one in any other state but plain.
std::string describe(HMENU menu, int first = 0)
{
    std::string text;
    for (int position = first; position < GetMenuItemCount(menu); ++position) {
        char name[64] = {};
        MENUITEMINFOA item = {sizeof item, MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE, 0, 0, 0,
                              nullptr, nullptr, nullptr, 0, name, sizeof name, nullptr};
        GetMenuItemInfoA(menu, position, TRUE, &item);
        std::string mark = (item.fState & MFS_CHECKED) ? "*" : (item.fState != 0 ? "!" : "");
        text += position > first ? ", " : "";
        if (item.fType & MFT_SEPARATOR)
            text += "-";
        else if (item.hSubMenu != nullptr)
            text += mark + name + "[" + describe(item.hSubMenu) + "]";
        else
            text += mark + std::to_string(item.wID) + " " + name;
    }
    return text;
}

std::string programItems(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    for (int position = 0; position < GetMenuItemCount(menu); ++position)
        if (GetMenuItemID(menu, position) == OnAllDesktopsCmd)
            return describe(menu, position);
    return "";
}

class SystemMenus : public ModelTest {
protected:
    SystemMenus() { injector.attachMainWindow(mainWindow.handle()); }
    SystemMenuInjector injector{desktops, messages, SystemMenuChannel::instance()};
};

// The current desktop has no "switch", one without windows no "close all"; windows from the top down.
TEST_F(SystemMenus, TheTrayMenuHandsOutIdsInTheOrderItsItemsAreAppended)
{
    TestWindow onThree("On three");
    desktops.sendWindowTo(3, onThree.handle());
    TestWindow lower("Lower"), upper("Upper");

    CommandMap commands;
    HMENU menu = buildTrayMenu(desktops, commands, messages);
    EXPECT_EQ(describe(menu), "*VirtDesk1[2 Close all apps, -, 3 Upper, 4 Lower], "
                              "VirtDesk2[5 Switch on this desktop], "
                              "VirtDesk3[6 Close all apps, 7 Switch on this desktop, -, 8 On three], -, 1 Terminate");
    EXPECT_EQ(commands.windowFor(8), onThree.handle());
    EXPECT_EQ(commands.closeAllFor(6), 3);
    EXPECT_EQ(commands.switchFor(5), 2);
    DestroyMenu(menu);
}

// Windows without a title and the options dialog get nothing; items already there are left alone.
// An entry of a desktop deleted since the list was made moves nothing and remakes the list; how a
// sent window is filed is DesktopModel's cases'. Removing reverts the whole menu, the application's
// own item too.
TEST_F(SystemMenus, TitledWindowsGetOnAllDesktopsAndSendToEveryOtherDesktopRemadeWhenStaleOrSentUntilRemoved)
{
    for (const char* title : {"", "Lumenfold"}) {
        TestWindow window(title);
        injector.injectInto(window.handle(), -1, false);
        EXPECT_EQ(programItems(window.handle()), "") << "title '" << title << "'";
    }
    TestWindow window("Editor");
    int defaultCount = GetMenuItemCount(GetSystemMenu(window.handle(), FALSE));
    AppendMenuA(GetSystemMenu(window.handle(), FALSE), MF_STRING, 0x7000, "the application's own");
    injector.injectInto(window.handle(), -1, false);
    injector.injectInto(window.handle(), 3, false);
    EXPECT_EQ(programItems(window.handle()), "1124 on all desktops, send to[1826 VirtDesk2, 1827 VirtDesk3]");

    desktops.deleteDesktop(3);
    injector.onSystemCommand(window.handle(), SendToCmdBase + 3);
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(programItems(window.handle()), "1124 on all desktops, send to[1826 VirtDesk2]");

    injector.onSystemCommand(window.handle(), SendToCmdBase + 2);
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(desktops.windowAt(2, 0)->hwnd, window.handle());
    EXPECT_EQ(programItems(window.handle()), "1124 on all desktops, send to[1825 VirtDesk1]");
    injector.removeFromAll(); // of a window hidden on its desktop
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
        EXPECT_TRUE(!each.taken || (taken.window == reinterpret_cast<HWND>(0x1234) && taken.param == 1827));
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
            std::optional<std::string> name = desktops.desktopName(2);
            torn += name && *name != "VirtDesk2" && *name != "Renamed.......";
            for (unsigned i = 0; std::optional<WindowEntry> entry = desktops.windowAt(1, i); ++i)
                torn += entry->title != "Alpha" && entry->title != "Bravo";
        }
    });
    for (int round = 0; round < 300; ++round) {
        desktops.setName(2, round % 2 ? "Renamed......." : "VirtDesk2");
        desktops.forgetWindows(1);
        desktops.captureVisible();
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
}

} // namespace
