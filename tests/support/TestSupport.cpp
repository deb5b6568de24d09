#include "TestSupport.h"

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

std::string programPath() { return helperPath("..\\..\\bin\\Lumenfold.exe"); } // tests are in build/tests/bin

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
    STARTUPINFOA startup = {sizeof startup, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, 0, 0, STARTF_USESTDHANDLES, 0, 0,
                            nullptr, nul, nul, nul};
    std::string line = commandLine;
    BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    CloseHandle(nul);
    return started != FALSE;
}

bool ChildProcess::running() const { return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }

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

DWORD processOf(HWND window) { DWORD id = 0; return GetWindowThreadProcessId(window, &id), id; }

static BOOL CALLBACK checkWindow(HWND window, LPARAM wanted)
{
    return !(*reinterpret_cast<const std::function<bool(HWND)>*>(wanted))(window);
}

HWND findTopLevel(const std::function<bool(HWND)>& wanted, DWORD timeoutMs)
{
    HWND found = nullptr;
    std::function<bool(HWND)> keep = [&](HWND window) { return wanted(window) ? (found = window, true) : false; };
    waitUntil([&] { return EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&keep)), found != nullptr; }, timeoutMs);
    return found;
}

HWND findMessageBox(DWORD processId, DWORD timeoutMs)
{
    return findTopLevel([&](HWND window) {
        return processOf(window) == processId && IsWindowVisible(window) && className(window) == "#32770";
    }, timeoutMs);
}

std::string messageBoxText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }

// BM_CLICK makes the button click itself in the program's own thread: under Wine a click
// injected with SendInput may land where the pointer was before it moved.
void pressButton(HWND box, int buttonId)
{
    waitUntil([&] { return IsWindowEnabled(box) != FALSE; }, 5000); // while a box of its own is up
    PostMessageA(GetDlgItem(box, buttonId), BM_CLICK, 0, 0);
}

std::string windows1251(const wchar_t* text)
{
    char bytes[256] = {};
    WideCharToMultiByte(1251, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    return bytes;
}

bool hotkeyTaken(HotkeyCode code)
{
    if (RegisterHotKey(nullptr, 0x7000, hotkeyModifiers(code), hotkeyVirtualKey(code)))
        return !UnregisterHotKey(nullptr, 0x7000);
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

std::string hexBytes(const std::string& text)
{
    std::string hex;
    for (unsigned char byte : text)
        hex += {"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15], ' '};
    return hex;
}
