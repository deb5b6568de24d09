#include "TestSupport.h"

#include <cstdio>
#include <utility>
#include <vector>

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); !condition(); pumpMessagesFor(20))
        if (GetTickCount() - start >= timeoutMs)
            return false;
    return true;
}

void pumpMessagesFor(DWORD milliseconds)
{
    for (DWORD start = GetTickCount(), elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

std::string helperPath(const char* name)
{
    char path[MAX_PATH];
    std::string test(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return test.substr(0, test.find_last_of('\\') + 1) + name;
}

// Tests are built into build/tests/bin, the program into build/bin.
std::string programPath() { return helperPath("..\\..\\bin\\Lumenfold.exe"); }

ChildProcess::~ChildProcess()
{
    if (running()) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

bool ChildProcess::start(const std::string& commandLine)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    std::vector<char> line(commandLine.c_str(), commandLine.c_str() + commandLine.size() + 1);
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(nul);
    return started != FALSE;
}

bool ChildProcess::running() const
{
    return info.hProcess != nullptr && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::waitForExit(DWORD timeoutMs)
{
    DWORD code = 0;
    if (info.hProcess == nullptr || !waitUntil([&] { return !running(); }, timeoutMs))
        return std::nullopt;
    return GetExitCodeProcess(info.hProcess, &code), code;
}

std::string windowText(HWND window)
{
    char text[1024] = {};
    return std::string(text, GetWindowTextA(window, text, sizeof text));
}

std::string className(HWND window)
{
    char name[64] = {};
    return std::string(name, GetClassNameA(window, name, sizeof name));
}

DWORD processOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

using Search = std::pair<const std::function<bool(HWND)>*, HWND>;

static BOOL CALLBACK checkWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    return (*search->first)(window) ? (search->second = window, FALSE) : TRUE;
}

HWND findTopLevel(const std::function<bool(HWND)>& wanted, DWORD timeoutMs)
{
    Search search = {&wanted, nullptr};
    waitUntil([&] { return EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&search)), search.second != nullptr; },
              timeoutMs);
    return search.second;
}

HWND findMessageBox(DWORD processId, DWORD timeoutMs)
{
    return findTopLevel([&](HWND window) {
        return processOf(window) == processId && IsWindowVisible(window) && className(window) == "#32770";
    }, timeoutMs);
}

std::string messageBoxText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }

void pressButton(HWND box, int buttonId) { PostMessageA(GetDlgItem(box, buttonId), BM_CLICK, 0, 0); }

std::string hexBytes(const std::string& text)
{
    std::string hex;
    char pair[4];
    for (unsigned char byte : text)
        hex += (std::snprintf(pair, sizeof pair, "%02X ", byte), pair);
    return hex;
}
