#pragma once
#include "desktops/HotkeyCode.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// Polls the condition until it holds or the time limit runs out, pumping this thread's messages
// meanwhile so that the test's own windows keep answering other programs.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
void pumpMessagesFor(DWORD milliseconds); // lets time go by only, never waits for a condition

std::string programPath();                // build/bin/Lumenfold.exe
std::string helperPath(const char* name); // a helper program built beside the tests

// A child process with null standard handles (never holding the runner's output pipe open),
// killed on destruction if it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const std::string& commandLine);
    bool running() const;
    std::optional<DWORD> waitForExit(DWORD timeoutMs = 15000);
    DWORD id() const { return info.dwProcessId; }
    HANDLE handle() const { return info.hProcess; }

private:
    PROCESS_INFORMATION info = {};
};

std::string windowText(HWND window);
std::string className(HWND window);
DWORD processOf(HWND window);
// The first top-level window that is wanted, looked for until the time limit; null if none.
HWND findTopLevel(const std::function<bool(HWND)>& wanted, DWORD timeoutMs = 0);
// A visible message box (class "#32770") of the process, or null after the time limit.
HWND findMessageBox(DWORD processId, DWORD timeoutMs = 10000);
std::string messageBoxText(HWND box);      // its static control has the id 0xFFFF
void pressButton(HWND box, int buttonId); // as a click would, on a box or dialog
std::string hexBytes(const std::string& text); // for readable failures about encodings
// The Windows-1251 bytes of a Russian text, as the system must receive them: wide literals do not
// depend on what the compiler makes of narrow ones.
std::string windows1251(const wchar_t* text);
// True when a hotkey of this session holds the combination; a probe that succeeds is taken back.
bool hotkeyTaken(HotkeyCode code);
