// Drives a running Lumenfold from scripts (the demo of make run, benchmarks).
// usage: LumenfoldControl.exe wait-ready   waits until Lumenfold's main loop runs (exit code 0)
//        LumenfoldControl.exe terminate    sends "Terminate" and waits for the end; the exit code is
//                                          Lumenfold's own
// Both give up after 20 seconds with exit code 2.
#include <windows.h>

#include <cstring>

namespace {
const DWORD LimitMs = 20000;

HWND findMainWindow()
{
    for (DWORD waited = 0; waited < LimitMs; waited += 50) {
        if (HWND window = FindWindowA(nullptr, "LumenfoldAppWin"))
            return window;
        Sleep(50);
    }
    return nullptr;
}

HANDLE openProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
}
}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    HWND mainWindow = findMainWindow();
    HANDLE process = mainWindow ? openProcessOf(mainWindow) : nullptr;
    if (process == nullptr)
        return 2;

    if (std::strcmp(argv[1], "wait-ready") == 0)
        return WaitForInputIdle(process, LimitMs) == 0 ? 0 : 2;

    if (std::strcmp(argv[1], "terminate") == 0) {
        PostMessageA(mainWindow, WM_COMMAND, 1, 0);
        if (WaitForSingleObject(process, LimitMs) != WAIT_OBJECT_0)
            return 2;
        DWORD exitCode = 2;
        GetExitCodeProcess(process, &exitCode);
        return static_cast<int>(exitCode);
    }
    return 2;
}
