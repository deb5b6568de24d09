#pragma once
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// Drives the real Lumenfold.exe from the test process, as a user and other programs would.

// Ends Lumenfold processes that an earlier, failed test left running, so that the single-instance
// guard and the hotkeys are free again.
void endStrayLumenfolds();

// A user's first start: no options stored but how the desktop is announced after a switch
// ("ShowCurDeskMsg", the Settings::Notice... bits); the program writes every other default.
void prepareFirstRun(DWORD noticeFlags);

class RunningLumenfold {
public:
    RunningLumenfold() = default;
    ~RunningLumenfold(); // ends the program if it still runs
    RunningLumenfold(const RunningLumenfold&) = delete;
    RunningLumenfold& operator=(const RunningLumenfold&) = delete;

    // Starts the program and waits until its main loop runs, so that hotkeys act from now on.
    bool start();
    // Starts the program without waiting for anything (for a start that is meant to fail).
    bool launch();

    HWND mainWindow() const { return main; }
    DWORD processId() const { return process.id(); }
    bool running() const { return process.running(); }

    // The "Terminate" command, as the tray menu sends it.
    void terminate();
    std::optional<DWORD> waitForExit(DWORD timeoutMs = 15000) { return process.waitForExit(timeoutMs); }
    // True once the main loop waits for input with nothing left in its queue.
    bool idle(DWORD timeoutMs = 30000) const { return WaitForInputIdle(process.handle(), timeoutMs) == 0; }

private:
    ChildProcess process;
    HWND main = nullptr;
};

// The program's hidden main window of the given process, or of any process when id is 0.
HWND findMainWindow(DWORD processId = 0);

// Presses the keys in order and releases them in reverse, through the system's input queue.
void pressKeys(std::initializer_list<WORD> virtualKeys);
inline void pressAlt(WORD virtualKey) { pressKeys({VK_MENU, virtualKey}); }

// Presses a key with a modifier held, through the X server, with xdotool, as a user at the
// keyboard would. Names in xdotool's notation, e.g. "alt" and "F2".
bool pressKeysThroughX(const std::string& modifier, const std::string& key);

// Top-level windows of another program (WindowHost.exe), one per title.
class HostedWindows {
public:
    // options: more of WindowHost's options, e.g. "--late-title".
    HostedWindows(std::initializer_list<std::string> titles, bool hang = false, const std::string& options = "");
    HWND window(const std::string& title) const;
    bool ready() const { return readyFlag; }

private:
    ChildProcess process;
    std::vector<std::string> titles;
    bool readyFlag = false;
};

// Wine's own notepad with an empty document.
class Notepad {
public:
    Notepad();
    HWND window() const { return main; }
    // Types into the document, so that closing asks whether to save.
    void makeUnsavedChanges();

private:
    ChildProcess process;
    HWND main = nullptr;
};

// Lumenfold's items in the system menu of a WindowHost window, as the window itself reads them:
// 0 without the items; else 1, plus 2 when "on all desktops" is checked, plus bit 16 + n - 1 for
// each "send to" desktop n. -1 when the window does not answer.
LRESULT hostedMenuState(HWND window);
inline LRESULT itemsWithSendTo(std::initializer_list<int> desktops)
{
    LRESULT state = 1;
    for (int n : desktops)
        state |= 1 << (15 + n);
    return state;
}
constexpr LRESULT MarkedOnAllDesktops = 3;

HWND findWindowOfProcess(DWORD processId, const std::string& title, DWORD timeoutMs = 10000);
bool visible(HWND window);
DWORD processOf(HWND window);
