// Drives a running Lumenfold from scripts (the demo of make run, benchmarks).
// usage: LumenfoldControl.exe wait-ready   waits until Lumenfold's main loop runs (exit code 0)
//        LumenfoldControl.exe terminate    sends "Terminate" and waits for the end; the exit code is
//                                          Lumenfold's own
//        LumenfoldControl.exe options      a left click on the tray icon: opens the options dialog
// Both give up after 20 seconds with exit code 2.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv)
{
    const DWORD LimitMs = 20000;
    HWND mainWindow = nullptr;
    for (DWORD waited = 0; argc == 2 && !(mainWindow = FindWindowA(nullptr, "LumenfoldAppWin")) && waited < LimitMs;
         waited += 50)
        Sleep(50);
    DWORD processId = 0;
    GetWindowThreadProcessId(mainWindow, &processId);
    HANDLE process = mainWindow ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId) : nullptr;
    if (process == nullptr)
        return 2;
    if (std::strcmp(argv[1], "wait-ready") == 0)
        return WaitForInputIdle(process, LimitMs) == 0 ? 0 : 2;
    if (std::strcmp(argv[1], "options") == 0)
        return PostMessageA(mainWindow, WM_USER + 100, 0, WM_LBUTTONDOWN) ? 0 : 2;
    DWORD exitCode = 2;
    if (std::strcmp(argv[1], "terminate") == 0 && PostMessageA(mainWindow, WM_COMMAND, 1, 0) &&
        WaitForSingleObject(process, LimitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &exitCode);
    return static_cast<int>(exitCode);
}
