#pragma once
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// Ends Lumenfolds that an earlier, failed test left running, freeing the instance guard and hotkeys.
void endStrayLumenfolds();
// A user's first start: nothing stored but "ShowCurDeskMsg" as these four bytes (1 tooltip,
// 2 tooltip kept, 4 number in the tray); the program writes every other default.
void prepareFirstRun(DWORD noticeFlags);

class RunningLumenfold : public ChildProcess {
public:
    ~RunningLumenfold(); // ends the program if it still runs: through Terminate once started
    bool start();  // and waits until its main loop runs, so that hotkeys act from now on
    bool launch(); // without waiting, for a start that is meant to fail
    HWND mainWindow() const { return main; }
    std::optional<DWORD> terminate(); // the "Terminate" command, as the tray menu sends it; the exit code
    // True once the main loop waits for input with nothing left in its queue.
    bool idle() const { return WaitForInputIdle(handle(), 30000) == 0; }

private:
    HWND main = nullptr;
};

// The fatal error box of the process (its caption unchecked when none is given), answered; then
// the process ends with code 1.
void expectFatalBox(ChildProcess& process, const std::string& text, const std::string& caption = "");

HWND findWindowOfProcess(DWORD processId, const std::string& title, DWORD timeoutMs = 10000); // 0: any process
bool visible(HWND window);
// The notice that names the desktop after a switch: a visible tooltip of the process.
HWND visibleNotice(DWORD processId);

// Presses the keys in order and releases them in reverse, through the system's input queue.
void pressKeys(std::initializer_list<WORD> virtualKeys);
inline void pressAlt(WORD virtualKey) { pressKeys({VK_MENU, virtualKey}); }
// One key after the other, at a typist's pace, so that each menu has opened before the next.
void typeKeys(const std::vector<WORD>& virtualKeys);
// Presses a desktop's key until its effect shows, at most three times: Wine may drop a modifier
// as X focus moves, and a desktop's key pressed twice lands where it did once.
bool pressAltUntil(WORD desktopKey, const std::function<bool()>& done);

bool menuShown(bool shown = true, DWORD timeoutMs = 10000); // waits until a menu is up, or none is

// Top-level windows of another program (WindowHost.exe, with its options), one per title, the last one on top.
class HostedWindows {
public:
    HostedWindows(std::initializer_list<std::string> titles, const std::string& options = "");
    HWND window(const std::string& title) const { return findWindowOfProcess(process.id(), title, 2000); }
    bool ready() const { return readyFlag; }

private:
    ChildProcess process;
    bool readyFlag = false;
};

// Lumenfold's items in a WindowHost window's system menu (see its menuState); -1 without an answer.
LRESULT hostedMenuState(HWND window);
// Both items, unchecked, "send to" offering desktops a and b.
constexpr LRESULT itemsWithSendTo(int a, int b) { return 1 | 1 << (15 + a) | 1 << (15 + b); }
constexpr LRESULT MarkedOnAllDesktops = 3;
