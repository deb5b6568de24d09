#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// Shared helpers of the tests: bounded waiting, child processes and message boxes of other
// processes, found and answered the way a user would.

// Polls the condition until it holds or the time limit runs out. Messages of the calling thread
// are pumped meanwhile, so that windows of the test itself keep answering other programs.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// Pumps the calling thread's messages for a while; for letting go of time only, never to wait for
// a condition.
void pumpMessagesFor(DWORD milliseconds);

// The folder of the running test executable, and files of the build tree found from there.
std::string testDirectory();
std::string programPath();              // build/bin/Lumenfold.exe
std::string helperPath(const char* name); // a helper program built beside the tests

// A child process started with explicit (null) standard handles, so that it never holds the
// output pipe of the test runner open. It is killed on destruction if still running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const std::string& commandLine);
    bool running() const;
    std::optional<DWORD> waitForExit(DWORD timeoutMs);
    void kill();
    DWORD id() const { return info.dwProcessId; }
    HANDLE handle() const { return info.hProcess; }

private:
    PROCESS_INFORMATION info = {};
};

std::string windowText(HWND window);

// A visible message box (dialog class "#32770") of the given process, or null after the time limit.
HWND findMessageBox(DWORD processId, DWORD timeoutMs = 10000);
// The text of a message box: its static text control has the id 0xFFFF.
std::string messageBoxText(HWND box);
// Presses one of the box's buttons (IDOK, IDCANCEL, ...) as a click would.
void pressButton(HWND box, int buttonId);

// The bytes of a text as hex pairs, for readable failure messages about encodings.
std::string hexBytes(const std::string& text);
