// Lumenfold's benchmark: prints what the tray menu, the system-menu check and a new window's items
// cost on this machine. It measures; it judges nothing.
//   - the tray menu with 99 desktops of 20 windows each: built, and shown until its window is up;
//   - the "on all desktops" check of 50 windows, as every switch makes it: through the direct path
//     (this program's own windows) and through the hook library (windows of another program);
//   - how long a new window of another program waits for its items from a running Lumenfold.
#include "app/CommandMap.h"
#include "app/MessageCatalog.h"
#include "app/TrayMenu.h"
#include "desktops/DesktopManager.h"
#include "desktops/LockedDesktops.h"
#include "hooks/SystemMenuItems.h"
#include "hooks/TopLevelWindows.h"
#include "ui/Settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
double nowMs()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

template <typename Work>
double medianMs(int runs, Work work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        double start = nowMs();
        work();
        times.push_back(nowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string folderOfThisProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

HWND makeWindow(const std::string& title)
{
    return CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100, nullptr,
                           nullptr, nullptr, nullptr);
}

struct ChildProgram {
    PROCESS_INFORMATION info = {};
    explicit ChildProgram(const std::string& commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string line = commandLine;
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
        WaitForInputIdle(info.hProcess, 20000);
    }
    ~ChildProgram()
    {
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
};

std::vector<HWND> windowsOf(DWORD processId)
{
    std::vector<HWND> found;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            found.push_back(window);
    }
    return found;
}

// Closes the tray menu as soon as its window is up, and notes when that was.
double menuShownAt = 0;
void CALLBACK closeMenuOnceShown(HWND, UINT, UINT_PTR, DWORD)
{
    if (IsWindowVisible(FindWindowA("#32768", nullptr))) {
        menuShownAt = nowMs();
        EndMenu();
    }
}

void trayMenu(LockedDesktops& desktops, DesktopManager& manager, const MessageCatalog& messages, HWND owner)
{
    std::vector<HWND> windows;
    for (int desk = 1; desk <= 99; ++desk) {
        if (desk > 3)
            manager.setName(static_cast<DesktopId>(desk), ("Desk " + std::to_string(desk)).c_str());
        for (int n = 0; n < 20; ++n)
            windows.push_back(makeWindow("Window " + std::to_string(desk) + "." + std::to_string(n)));
        if (desk < 99)
            manager.switchTo(static_cast<DesktopId>(desk + 1));
    }
    CommandMap commands;
    double built = medianMs(5, [&] {
        DestroyMenu(buildTrayMenu(desktops, commands, messages));
        commands.clear();
    });
    double shown = medianMs(5, [&] {
        HMENU menu = buildTrayMenu(desktops, commands, messages);
        UINT_PTR timer = SetTimer(nullptr, 0, 1, closeMenuOnceShown);
        SetForegroundWindow(owner);
        TrackPopupMenu(menu, 0, 10, 10, 0, owner, nullptr);
        KillTimer(nullptr, timer);
        DestroyMenu(menu);
        commands.clear();
    });
    // The same items made and shown with nothing but the menu calls: what the system itself takes.
    auto sameItems = [] {
        HMENU menu = CreatePopupMenu();
        for (int desk = 1; desk <= 99; ++desk) {
            HMENU submenu = CreatePopupMenu();
            for (int item = 0; item < 23; ++item)
                AppendMenuA(submenu, MF_STRING, 2 + desk * 23 + item, "Window 10.10");
            AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), "Desk 10");
        }
        return menu;
    };
    double floor = medianMs(5, [&] { DestroyMenu(sameItems()); });
    double floorShown = medianMs(5, [&] {
        HMENU menu = sameItems();
        UINT_PTR timer = SetTimer(nullptr, 0, 1, closeMenuOnceShown);
        SetForegroundWindow(owner);
        TrackPopupMenu(menu, 0, 10, 10, 0, owner, nullptr);
        KillTimer(nullptr, timer);
        DestroyMenu(menu);
    });
    // Filing the visible windows walks every top-level window there is, hidden ones included.
    double walk = medianMs(5, [&] { forEachUserWindow(owner, [](HWND) {}); });
    std::printf("tray menu, 99 desktops x 20 windows: built %.1f ms (the walk over %zu windows %.1f ms), built and "
                "shown %.1f ms\n", built, windows.size(), walk, shown);
    std::printf("  the same items with the menu calls alone: built %.1f ms, built and shown %.1f ms\n", floor,
                floorShown);
    for (HWND window : windows)
        DestroyWindow(window);
}

void onAllDesktopsCheck()
{
    std::vector<HWND> own;
    for (int n = 0; n < 50; ++n)
        own.push_back(makeWindow("Own " + std::to_string(n)));
    double direct = medianMs(9, [&] { for (HWND window : own) isOnAllDesktops(window); });
    for (HWND window : own)
        DestroyWindow(window);

    // The hook library serves the requests inside the other program once its hooks are in.
    HMODULE library = LoadLibraryA((folderOfThisProgram() + "\\TrapKit.dll").c_str());
    auto catchCreateWin = reinterpret_cast<BYTE(WINAPI*)(int)>(reinterpret_cast<void*>(GetProcAddress(library, "CatchCreateWin")));
    if (catchCreateWin == nullptr || !catchCreateWin(1)) {
        std::printf("check of 50 windows: direct %.2f ms; the hook library could not be loaded\n", direct);
        return;
    }
    std::string command = "\"" + folderOfThisProgram() + "\\..\\tests\\bin\\WindowHost.exe\" --burst 50 Other";
    ChildProgram host(command);
    std::vector<HWND> others;
    for (int wait = 0; wait < 200 && (others = windowsOf(host.info.dwProcessId)).size() < 50; ++wait)
        Sleep(50);
    isOnAllDesktops(others.front()); // the library comes into the other program on its first hook call
    double inProcess = medianMs(9, [&] { for (HWND window : others) isOnAllDesktops(window); });
    std::printf("on-all-desktops check of 50 windows in a switch: direct %.2f ms, through the hook library %.2f ms "
                "(%zu windows)\n", direct, inProcess, others.size());
    catchCreateWin(0);
    FreeLibrary(library);
}

void newWindowDelay()
{
    ChildProgram lumenfold("\"" + folderOfThisProgram() + "\\Lumenfold.exe\"");
    const UINT menuState = RegisterWindowMessageA("WindowHostMenuState");
    std::vector<double> delays;
    for (int run = 0; run < 5; ++run) {
        double start = nowMs();
        ChildProgram host("\"" + folderOfThisProgram() + "\\..\\tests\\bin\\WindowHost.exe\" New");
        std::vector<HWND> windows = windowsOf(host.info.dwProcessId);
        DWORD_PTR state = 0;
        while (!windows.empty() && nowMs() - start < 10000 &&
               !(SendMessageTimeoutA(windows.front(), menuState, 0, 0, SMTO_ABORTIFHUNG, 1000, &state) && (state & 1)))
            Sleep(1);
        delays.push_back(nowMs() - start);
    }
    PostMessageA(FindWindowA(nullptr, "LumenfoldAppWin"), WM_COMMAND, 1, 0);
    WaitForSingleObject(lumenfold.info.hProcess, 10000);
    std::sort(delays.begin(), delays.end());
    std::printf("a new window of another program has its items %.0f ms after its program starts (median of 5)\n",
                delays[2]);
}
}

int main()
{
    // First, while this program holds no hotkey that Lumenfold needs.
    newWindowDelay();

    MessageCatalog messages{"eng"};
    Settings settings{messages};
    DesktopManager manager{settings, messages};
    LockedDesktops desktops{manager};
    HWND owner = CreateWindowExA(0, "STATIC", "LumenfoldAppWin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    manager.attachMainWindow(owner);
    manager.loadDesktops();

    onAllDesktopsCheck();
    trayMenu(desktops, manager, messages, owner);
    return 0;
}
