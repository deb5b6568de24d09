#include "MainLoop.h"

#include "HotkeyDispatcher.h"
#include "MainWindow.h"

MainLoop::MainLoop(HotkeyDispatcher& hotkeys) : hotkeys(hotkeys) {}

void MainLoop::run()
{
    hotkeysArmed = false;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == ReadyMessage)
            hotkeysArmed = true;
        if (message.message == WM_HOTKEY) {
            if (!hotkeysArmed)
                continue;
            hotkeys.dispatch(message.lParam);
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
