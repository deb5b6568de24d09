#include "ProgramDriver.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

// "Terminate" ends the process where it stands, a main window closed from another program the main
// loop; a shell that lost the icon (as when Explorer restarts; here another program removes it)
// makes the next switch fatal, and the clean-up runs as the process ends, not before the box. Every
// way the items leave the filed windows, and windows appearing meanwhile do no harm.
TEST(Exit, TerminateClosingTheMainWindowAndAFatalErrorShowEveryWindow)
{
    prepareFirstRun(0); // no notice, whose half second would only slow the tests down
    HostedWindows hosted{"First", "Second"};
    ASSERT_TRUE(hosted.ready());
    HWND first = hosted.window("First"), second = hosted.window("Second");
    enum Way { Terminate, Close, Fatal };
    for (Way way : {Terminate, Close, Fatal}) {
        SCOPED_TRACE(way == Terminate ? "Terminate" : way == Close ? "WM_CLOSE" : "fatal error");
        RunningLumenfold program;
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(waitUntil([&] { return hostedMenuState(first) > 0 && hostedMenuState(second) > 0; }));
        ASSERT_TRUE(pressAltUntil(VK_F2, [&] { return !visible(first) && !visible(second); }));
        HostedWindows unfiled{"Unfiled"}; // on desktop 2, not on any list yet
        HWND third = unfiled.window("Unfiled");
        ASSERT_TRUE(waitUntil([&] { return hostedMenuState(third) == itemsWithSendTo(1, 3); })) << "made for desktop 2";
        ChildProcess appearing;
        appearing.start("\"" + helperPath("WindowHost.exe") + "\" --burst 30 Appearing");
        if (way == Close)
            PostMessageA(program.mainWindow(), WM_CLOSE, 0, 0);
        if (way != Fatal)
            EXPECT_EQ(way == Terminate ? program.terminate() : program.waitForExit(), 0u);
        else {
            // Refused in Russian, as the options are not read yet; the first one's hotkey acts after.
            RunningLumenfold secondInstance;
            ASSERT_TRUE(secondInstance.launch());
            expectFatalBox(secondInstance, windows1251(L"Невозможно создать временный файл. Возможно, программа уже запущена"),
                           windows1251(L"Ошибка :("));
            NOTIFYICONDATAA icon = {};
            icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
            icon.hWnd = program.mainWindow();
            ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
            ASSERT_TRUE(pressAltUntil(VK_F3, [&] { return findMessageBox(program.id(), 0) != nullptr; }))
                << "the first instance stopped answering hotkeys";
            EXPECT_TRUE(!visible(first) && hostedMenuState(first) > 0) << "the clean-up came before the box's answer";
            expectFatalBox(program, "Cant go to \"systray\"", "Error :(");
        }
        EXPECT_TRUE(visible(first) && visible(second));
        EXPECT_TRUE(hostedMenuState(first) == 0 && hostedMenuState(second) == 0 && hostedMenuState(third) == 0);
    }
}

} // namespace
