#pragma once
#include <windows.h>

class HotkeyDispatcher;

// The main thread's message loop, and the only place where hotkeys act. Until ReadyMessage has
// come through the queue every WM_HOTKEY is discarded: a key pressed while start-up ran is not
// acted on later.
class MainLoop {
public:
    explicit MainLoop(HotkeyDispatcher& hotkeys);

    // Runs until WM_QUIT, which comes only when the main window has been destroyed.
    void run();

    bool hotkeysArmed = false;

private:
    HotkeyDispatcher& hotkeys;
};
