// The windows are other programs', so under Wine every item is made through the hook library
// inside their own process: these tests exercise the in-process path.
#include "ProgramDriver.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

bool hasState(HWND window, LRESULT expected) { return waitUntil([&] { return hostedMenuState(window) == expected; }); }

// What the system menu posts when the user chooses one of the items.
void choose(HWND window, UINT command) { PostMessageA(window, WM_SYSCOMMAND, command, 0); }

class Hooks : public ::testing::Test {
protected:
    void SetUp() override { prepareFirstRun(0); }
    RunningLumenfold lumenfold;
};

// Items are made for the desktop current then: at start and for a window titled late (on desktop 2, the exit tests').
TEST_F(Hooks, EveryWindowGetsItsItemsAndOnAllDesktopsKeepsItThroughASwitch)
{
    HostedWindows hosted{"Sentinel", "Everywhere"};
    ASSERT_TRUE(lumenfold.start());
    HWND window = hosted.window("Everywhere"), sentinel = hosted.window("Sentinel"); // sentinel: desktop 1's
    ASSERT_TRUE(hasState(window, itemsWithSendTo(2, 3)));
    HostedWindows late{""}; // titled by this test once up
    SendMessageA(late.window(""), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Late"));
    EXPECT_TRUE(hasState(late.window("Late"), itemsWithSendTo(2, 3)));

    // A control's notification and a menu command the system menu does not hold use our ids too;
    // neither is taken for a choice. They come before the real one, which shows they were passed.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(1826, BN_CLICKED), reinterpret_cast<LPARAM>(window));
    PostMessageA(window, WM_COMMAND, 1830, 0);
    choose(window, 1124);
    EXPECT_TRUE(hasState(window, MarkedOnAllDesktops)) << "the checked item alone";
    EXPECT_TRUE(visible(window)) << "a foreign command was taken for \"send to\"";
    ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(sentinel); }));
    EXPECT_TRUE(visible(window) && hostedMenuState(window) == MarkedOnAllDesktops);

    choose(window, 1124);
    EXPECT_TRUE(hasState(window, itemsWithSendTo(1, 3))) << "a member of desktop 2 now";
    EXPECT_TRUE(pressAltUntil(VK_F1, [&] { return visible(sentinel) && !visible(window); }));
}

// The program answers afterwards too (the exit showing every window is the exit tests').
TEST_F(Hooks, WindowsAppearingInABurstDuringSwitchesAllGetTheirItems)
{
    ASSERT_TRUE(lumenfold.start());
    ChildProcess burst;
    ASSERT_TRUE(burst.start("\"" + helperPath("WindowHost.exe") + "\" --burst 200 Burst"));
    // Each switch files and hides every window there is, so the next key waits for it.
    for (int press = 0; press < 6 && !findWindowOfProcess(burst.id(), "Burst 200", 0); ++press) {
        pressAlt(press % 2 ? VK_F1 : VK_F2);
        pumpMessagesFor(100);
        ASSERT_TRUE(lumenfold.idle());
    }
    ASSERT_NE(findWindowOfProcess(burst.id(), "Burst 200", 30000), nullptr);
    pressAlt(VK_F1);
    ASSERT_TRUE(lumenfold.idle()) << "the switches never ended";

    int withoutItems = 0;
    for (int n = 1; n <= 200; ++n) {
        HWND window = findWindowOfProcess(burst.id(), "Burst " + std::to_string(n), 1000);
        withoutItems += !window || !waitUntil([&] { return (hostedMenuState(window) & 1) != 0; });
    }
    EXPECT_EQ(withoutItems, 0);
}

// The library is taken from the program's own folder only, never the current folder or the path.
TEST_F(Hooks, AStartWithoutTheLibraryBesideTheProgramEndsWithMessage11)
{
    std::string folder = helperPath("alone"), programFolder = helperPath("..\\..\\bin");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(programPath().c_str(), (folder + "\\Lumenfold.exe").c_str(), FALSE));
    SetCurrentDirectoryA(programFolder.c_str());
    SetEnvironmentVariableA("PATH", (programFolder + ";" + getenv("PATH")).c_str());

    ChildProcess alone;
    ASSERT_TRUE(alone.start("\"" + folder + "\\Lumenfold.exe\""));
    expectFatalBox(alone, "Cant load library");
}

using TrayMenu = Hooks;

// The tray menu, used with the keys: a desktop's submenu holds "Close all apps", "Switch on this
// desktop" (not on the current one), a separator and its windows. One menu is dismissed first.
// Each is opened by what a right click on the icon sends (a real click is the switching test's).
TEST_F(TrayMenu, CloseAllAppsOfAHiddenDesktopAndAWindowItemThatBringsItsWindowHere)
{
    HostedWindows hosted{"Far", "One", "Two"};
    ASSERT_TRUE(lumenfold.start());
    HWND distant = hosted.window("Far"), one = hosted.window("One"), two = hosted.window("Two");
    for (HWND window : {distant, one, two})
        ASSERT_TRUE(hasState(window, itemsWithSendTo(2, 3)));
    choose(distant, 1826);
    choose(one, 1827);
    choose(two, 1827);
    ASSERT_TRUE(waitUntil([&] { return !visible(distant) && !visible(one) && !visible(two); }));

    const std::vector<WORD> choices[] = {{VK_ESCAPE},
                                         {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN},
                                         {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}};
    for (const auto& keys : choices) {
        PostMessageA(lumenfold.mainWindow(), WM_USER + 100, 0, WM_RBUTTONDOWN);
        ASSERT_TRUE(menuShown());
        typeKeys(keys);
        ASSERT_TRUE(menuShown(false));
    }
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(one) && !IsWindow(two); })) << "desktop 3 was not closed";
    EXPECT_TRUE(waitUntil([&] { return visible(distant); })) << "the window did not come";
    EXPECT_TRUE(hasState(distant, itemsWithSendTo(2, 3))) << "its items are made for the current desktop";
    EXPECT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(distant); })) << "it is filed under the desktop left";
}

// The desks key present but empty (the hotkeys and the exit are the registry fuzz test's).
TEST_F(TrayMenu, WithNoDesktopEveryEntryPointDoesNothingHarmful)
{
    registry::write(registry::DesksKey, "Gone", REG_MULTI_SZ, "0 0");
    registry::deleteValue(registry::DesksKey, "Gone");
    HostedWindows hosted{"Lonely"};
    ASSERT_TRUE(lumenfold.start());
    HWND window = hosted.window("Lonely");
    ASSERT_TRUE(hasState(window, 1)) << "on all desktops, and an empty \"send to\"";
    choose(window, 1825);
    choose(window, 1124);
    EXPECT_TRUE(hasState(window, MarkedOnAllDesktops));
    PostMessageA(lumenfold.mainWindow(), WM_USER + 100, 0, WM_RBUTTONDOWN);
    ASSERT_TRUE(menuShown());
    typeKeys({VK_ESCAPE});
    ASSERT_TRUE(lumenfold.idle());
    EXPECT_TRUE(lumenfold.running() && visible(window));
}

} // namespace
