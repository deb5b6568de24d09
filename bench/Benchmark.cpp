// Lumenfold's benchmark: one table of what a desktop switch and the tray menu take on this machine,
// each beside its floor, the same system calls made directly by this program. It measures; it
// judges nothing.
//   - Switches between desktop 1, holding N windows of five programs, and the empty desktop 2:
//     from just before the key press until every window has its new visibility, seen by polling.
//     The floor is a process of its own that makes the same ShowWindow calls in the same order,
//     one per window, on a key press of its own; the two take turns, so that both meet the same
//     load, and are watched the same way.
//   - The same with one more window on top, of a program that has stopped answering: a new one
//     for each switch, a fifth of a second into its hang, and one that the system has marked as
//     hung. That window changes only when its thread runs again, so only the live windows are
//     awaited, and the floor leaves it be. Switches with and without the hang take turns too, and
//     each hung row is set against the row without the hang.
//   - The tray menu with 99 desktops of 20 windows, built and shown until its window is up.
// Under the table, when each window changed in the switches with a fresh hang among ten windows.
#include "app/CommandMap.h"
#include "app/MessageCatalog.h"
#include "app/TrayMenu.h"
#include "desktops/DesktopManager.h"
#include "desktops/LockedDesktops.h"
#include "ui/Settings.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <iterator>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {
const int HostPrograms = 5;
// A switch of few windows is quick and varies more from one to the next, so it is repeated more.
const struct {
    int windowCount;
    int roundTrips;
} WindowCounts[] = {{10, 41}, {50, 21}, {200, 13}};
const int MenuRuns = 7;
// The system marks a window as hung about five seconds after its thread stopped answering.
const double MarkedHungAfterMs = 6000;
// A switch that is not over by then is left out of the medians and noted.
const double SwitchLimitMs = 30000;
const DWORD StartLimitMs = 20000;
// A user's key presses come at least this far apart.
const DWORD PauseBeforeSwitchMs = 300;
// How long the shell and the programs may take to catch up with a switch before the next one.
const UINT SettleLimitMs = 10000;
// The floor's keys, with Alt; each is also its hotkey's id.
const WORD FloorHideKey = VK_F11;
const WORD FloorShowKey = VK_F12;
const char FloorReadyEventName[] = "LumenfoldBenchFloorReady";
// Lumenfold's own limit for an answer: a window that does not answer within it is hung to Lumenfold.
const UINT AnswerLimitMs = 200;
const char ProgramKey[] = "Software\\Lumenfold";
const char MainWindowTitle[] = "LumenfoldAppWin";
const WPARAM TerminateCommand = 1;

enum class Switcher { Floor, Lumenfold };
enum class Hang { None, Fresh, Marked };
const Hang Hangs[] = {Hang::None, Hang::Fresh, Hang::Marked};
const int MarkedHangBlocks = 3;

double nowMs()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

// The middle value; -1 when there is none.
double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool waitFor(const std::function<bool()>& condition, DWORD limitMs)
{
    for (DWORD start = GetTickCount(); !condition(); Sleep(10)) {
        if (GetTickCount() - start >= limitMs)
            return false;
    }
    return true;
}

std::string folderOfThisProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string lumenfoldCommand() { return "\"" + folderOfThisProgram() + "\\Lumenfold.exe\""; }
std::string windowHostCommand() { return "\"" + folderOfThisProgram() + "\\..\\tests\\bin\\WindowHost.exe\""; }

// A child process without standard handles, so that it never holds this program's output open;
// ended on destruction if it still runs.
class ChildProgram {
public:
    ChildProgram() = default;
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    ~ChildProgram()
    {
        if (info.hProcess == nullptr)
            return;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    bool start(const std::string& commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    }
    DWORD id() const { return info.dwProcessId; }
    HANDLE handle() const { return info.hProcess; }

private:
    PROCESS_INFORMATION info = {};
};

DWORD processOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// The visible top-level windows of these processes, from the top of the stacking order down.
std::vector<HWND> windowsOf(const std::vector<DWORD>& processes)
{
    std::vector<HWND> found;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        bool ours = std::find(processes.begin(), processes.end(), processOf(window)) != processes.end();
        if (ours && IsWindowVisible(window))
            found.push_back(window);
    }
    return found;
}

// N windows of five programs, all on the screen.
class LiveHosts {
public:
    explicit LiveHosts(int windowCount)
    {
        int perProgram = windowCount / HostPrograms;
        for (int n = 1; n <= HostPrograms; ++n) {
            programs.push_back(std::make_unique<ChildProgram>());
            programs.back()->start(windowHostCommand() + " --burst " + std::to_string(perProgram) + " Program" +
                                   std::to_string(n));
            DWORD id = programs.back()->id();
            waitFor([&] { return windowsOf({id}).size() == static_cast<size_t>(perProgram); }, StartLimitMs);
        }
    }
    std::vector<HWND> windowsTopToBottom() const
    {
        std::vector<DWORD> processes;
        for (const auto& program : programs)
            processes.push_back(program->id());
        return windowsOf(processes);
    }

private:
    std::vector<std::unique_ptr<ChildProgram>> programs;
};

bool answers(HWND window, UINT limitMs = AnswerLimitMs)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, limitMs, &ignored) != 0;
}

// One window, on top of the others, of a program that stops answering shortly after showing it.
// Construction returns once the window has let an answer wait as long as Lumenfold waits for one.
class HungHost {
public:
    HungHost()
    {
        program.start(windowHostCommand() + " --hang Hung");
        waitFor([&] { return !windowsOf({program.id()}).empty(); }, StartLimitMs);
        std::vector<HWND> windows = windowsOf({program.id()});
        hungWindow = windows.empty() ? nullptr : windows.front();
        while (answers(hungWindow))
            hungSince = nowMs();
    }
    HWND window() const { return hungWindow; }
    double hungForMs() const { return nowMs() - hungSince; }
    bool markedHung() const { return IsHungAppWindow(hungWindow) != FALSE; }
    void waitUntilMarkedHung() const
    {
        if (hungForMs() < MarkedHungAfterMs)
            Sleep(static_cast<DWORD>(MarkedHungAfterMs - hungForMs()));
    }

private:
    ChildProgram program;
    HWND hungWindow = nullptr;
    double hungSince = nowMs();
};

// The real program after a first start: Alt+F1 to Alt+F3 switch desktops, and no notice shows on a
// switch (the notice would hold the switch for its half second).
class RunningLumenfold {
public:
    RunningLumenfold()
    {
        prepareFirstRun();
        program.start(lumenfoldCommand());
        waitFor([&] { return (mainWindow = findMainWindow()) != nullptr; }, StartLimitMs);
        WaitForInputIdle(program.handle(), StartLimitMs);
        // The items that its start puts into every window's system menu are added meanwhile.
        Sleep(1000);
    }
    ~RunningLumenfold()
    {
        PostMessageA(mainWindow, WM_COMMAND, TerminateCommand, 0);
        WaitForSingleObject(program.handle(), 10000);
    }
    bool running() const { return mainWindow != nullptr; }

private:
    static void prepareFirstRun()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, ProgramKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, ProgramKey);
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, ProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        const BYTE noNotice[4] = {};
        RegSetValueExA(key, "ShowCurDeskMsg", 0, REG_BINARY, noNotice, sizeof noNotice);
        RegCloseKey(key);
    }
    HWND findMainWindow() const
    {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, nullptr, MainWindowTitle)) != nullptr) {
            if (processOf(window) == program.id())
                return window;
        }
        return nullptr;
    }

    ChildProgram program;
    HWND mainWindow = nullptr;
};

INPUT keyInput(WORD virtualKey, bool release)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

void pressAlt(WORD virtualKey)
{
    INPUT keys[] = {keyInput(VK_MENU, false), keyInput(virtualKey, false), keyInput(virtualKey, true),
                    keyInput(VK_MENU, true)};
    SendInput(4, keys, sizeof(INPUT));
}

// When each window had its new visibility, in ms after the switch began (-1 where it never did);
// with a fresh hang, where the hung window stood and how long it had been hung.
struct SwitchTimes {
    std::vector<double> changedAt;
    int liveAboveHung = -1; // the visible live windows above the hung one at the start
    double hungAtStartMs = -1;
    double hungAtEndMs = -1;
    bool markedHung = false; // by the end of the switch
    bool done() const { return !changedAt.empty() && first() >= 0; }
    int changed() const
    {
        return static_cast<int>(std::count_if(changedAt.begin(), changedAt.end(), [](double at) { return at >= 0; }));
    }
    double first() const { return *std::min_element(changedAt.begin(), changedAt.end()); }
    double last() const { return *std::max_element(changedAt.begin(), changedAt.end()); }
};

// The windows are awaited in the order the switch takes them, one look at a time, and the next is
// looked at as soon as one has changed. Under Wine each look is a request to the one server process
// that every call of the switch goes through as well: a watch that looked at every window each
// millisecond would load it as much as the switch does. It reads only the window's style
// (IsWindowVisible makes two requests). A window that changed out of turn is seen when the watch
// reaches it, so the last figure is exact and the first may come late by that much.
SwitchTimes watchChanges(const std::vector<HWND>& inTurn, bool shown, double start)
{
    SwitchTimes times{std::vector<double>(inTurn.size(), -1)};
    size_t next = 0;
    while (next < inTurn.size() && nowMs() - start < SwitchLimitMs) {
        if (((GetWindowLongA(inTurn[next], GWL_STYLE) & WS_VISIBLE) != 0) == shown)
            times.changedAt[next++] = nowMs() - start;
        else
            Sleep(1);
    }
    return times;
}

// As Lumenfold does, from the bottom up both ways: the active window, on top, is hidden last, and
// each window shown comes above the one before, without activation; the top one is activated last.
void showDirectly(const std::vector<HWND>& bottomUp, bool shown)
{
    for (HWND window : bottomUp)
        ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
    if (shown && !bottomUp.empty())
        SetForegroundWindow(bottomUp.back());
}

BOOL CALLBACK noteWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// These windows as they are stacked now, from the top down. The list is taken in one go, with the
// call Lumenfold takes it with.
std::vector<HWND> inStackingOrder(const std::vector<HWND>& windows)
{
    std::vector<HWND> all, stacked;
    EnumWindows(noteWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        if (std::find(windows.begin(), windows.end(), window) != windows.end())
            stacked.push_back(window);
    }
    return stacked;
}

// The floor's own process, this program started with --floor and the windows' handles. It makes
// Lumenfold's calls in Lumenfold's order, on a key press as Lumenfold does: Alt+F11 hides the
// windows from the bottom of the stacking order as it is then, Alt+F12 shows them again in the
// order they were hidden in. Each hide of the active window makes the system activate the next
// one, so the order changes what a hide costs.
int runFloor(const std::vector<HWND>& windows)
{
    if (!RegisterHotKey(nullptr, FloorHideKey, MOD_ALT, FloorHideKey) ||
        !RegisterHotKey(nullptr, FloorShowKey, MOD_ALT, FloorShowKey))
        return 1;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, FloorReadyEventName);
    if (ready != nullptr) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    std::vector<HWND> lastHidden;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_HOTKEY)
            continue;
        bool shown = message.wParam == FloorShowKey;
        if (!shown) {
            lastHidden = inStackingOrder(windows);
            std::reverse(lastHidden.begin(), lastHidden.end());
        }
        showDirectly(lastHidden, shown);
    }
    return 0;
}

// Ready once its keys are registered; it ends at once when they cannot be.
class FloorProgram {
public:
    explicit FloorProgram(const std::vector<HWND>& windows)
    {
        HANDLE readyEvent = CreateEventA(nullptr, TRUE, FALSE, FloorReadyEventName);
        std::string command = "\"" + folderOfThisProgram() + "\\LumenfoldBench.exe\" --floor";
        for (HWND window : windows)
            command += " " + std::to_string(reinterpret_cast<UINT_PTR>(window));
        if (readyEvent != nullptr && program.start(command)) {
            HANDLE either[] = {readyEvent, program.handle()};
            readyFlag = WaitForMultipleObjects(2, either, FALSE, StartLimitMs) == WAIT_OBJECT_0;
        }
        if (readyEvent != nullptr)
            CloseHandle(readyEvent);
    }
    bool ready() const { return readyFlag; }

private:
    ChildProgram program;
    bool readyFlag = false;
};

// The windows in the order the switch takes them.
SwitchTimes switchBy(Switcher switcher, const std::vector<HWND>& inTurn, bool shown)
{
    WORD key = switcher == Switcher::Floor ? (shown ? FloorShowKey : FloorHideKey) : (shown ? VK_F1 : VK_F2);
    double start = nowMs();
    pressAlt(key);
    return watchChanges(inTurn, shown, start);
}

int visibleWindowsAbove(HWND window, const std::vector<HWND>& among)
{
    int above = 0;
    for (HWND each = GetTopWindow(nullptr); each != nullptr && each != window; each = GetWindow(each, GW_HWNDNEXT)) {
        if (IsWindowVisible(each) && std::find(among.begin(), among.end(), each) != among.end())
            ++above;
    }
    return above;
}

// Once each of these threads has answered a message sent now, it has dealt with everything that
// the last switch sent it: the shell's desktop and taskbar (under Wine, a button to add or remove
// for every window, which with 200 windows lasts most of a second after the switch) and the
// windows' programs. Without this, each switch would meet what is left of the one before, a part
// that changes from one switch to the next.
void waitUntilSettled(const std::vector<HWND>& windows)
{
    std::vector<HWND> oneEach = {GetDesktopWindow(), FindWindowA("Shell_TrayWnd", nullptr)};
    std::vector<DWORD> threads;
    for (HWND window : windows) {
        DWORD thread = GetWindowThreadProcessId(window, nullptr);
        if (std::find(threads.begin(), threads.end(), thread) == threads.end()) {
            threads.push_back(thread);
            oneEach.push_back(window);
        }
    }
    for (HWND window : oneEach) {
        if (window != nullptr)
            answers(window, SettleLimitMs);
    }
}

// With a fresh hang, a program that has just stopped answering has its window on the desktop
// being left. The windows come in the order the switch takes them.
SwitchTimes switchOnce(Switcher switcher, const std::vector<HWND>& windows, bool shown, Hang hang)
{
    Sleep(PauseBeforeSwitchMs);
    waitUntilSettled(windows);
    std::optional<HungHost> freshHung;
    if (hang == Hang::Fresh)
        freshHung.emplace();
    int liveAboveHung = freshHung ? visibleWindowsAbove(freshHung->window(), windows) : -1;
    double hungAtStartMs = freshHung ? freshHung->hungForMs() : -1;
    SwitchTimes times = switchBy(switcher, windows, shown);
    times.liveAboveHung = liveAboveHung;
    times.hungAtStartMs = hungAtStartMs;
    if (freshHung) {
        times.hungAtEndMs = freshHung->hungForMs();
        times.markedHung = freshHung->markedHung();
    }
    return times;
}

struct Series {
    std::vector<SwitchTimes> hides;
    std::vector<SwitchTimes> shows;
    // Not over within the limit: a dropped key press (no window changed) or windows left behind.
    std::vector<SwitchTimes> unfinishedHides;
    std::vector<SwitchTimes> unfinishedShows;
};

// After an unfinished switch the desktops are unknown: desktop 1 is brought back.
void recoverDesktop1(const std::vector<HWND>& windows)
{
    pressAlt(VK_F1);
    watchChanges(windows, true, nowMs());
}

// From desktop 1 to desktop 2 and back.
void roundTrip(Switcher switcher, const std::vector<HWND>& windows, Hang hang, Series& series)
{
    // Windows are hidden from the bottom of the stacking order up, and shown again in that order.
    std::vector<HWND> bottomUp = inStackingOrder(windows);
    std::reverse(bottomUp.begin(), bottomUp.end());
    SwitchTimes hide = switchOnce(switcher, bottomUp, false, hang);
    if (!hide.done()) {
        series.unfinishedHides.push_back(hide);
        recoverDesktop1(windows);
        return;
    }
    SwitchTimes show = switchOnce(switcher, bottomUp, true, hang);
    if (!show.done()) {
        series.unfinishedShows.push_back(show);
        recoverDesktop1(windows);
        return;
    }
    series.hides.push_back(hide);
    series.shows.push_back(show);
}

struct Measured {
    Series floor;
    Series lumenfold;
    Series& of(Switcher switcher) { return switcher == Switcher::Floor ? floor : lumenfold; }
};
using MeasuredByHang = std::array<Measured, std::size(Hangs)>;

void roundTripsOfEach(const std::vector<HWND>& windows, std::initializer_list<Hang> hangs, int roundTrips,
                      MeasuredByHang& measured)
{
    for (int trip = 0; trip < roundTrips; ++trip) {
        for (Hang hang : hangs) {
            for (Switcher switcher : {Switcher::Floor, Switcher::Lumenfold})
                roundTrip(switcher, windows, hang, measured[static_cast<size_t>(hang)].of(switcher));
        }
    }
}

// Every kind of switch by the floor and by Lumenfold in turns, so that all of them meet the same
// load from the rest of the machine, which drifts by a tenth over minutes. A window hung long
// enough to be marked takes five seconds to become so: those round trips come in a few blocks
// between the others, each with a program of its own, ended after its block. Lumenfold runs all
// along: its hooks in the programs count in the floor too.
MeasuredByHang measureRoundTrips(const std::vector<HWND>& windows, int roundTrips)
{
    MeasuredByHang measured;
    for (int block = 0; block < MarkedHangBlocks; ++block) {
        int trips = (roundTrips + block) / MarkedHangBlocks;
        roundTripsOfEach(windows, {Hang::None, Hang::Fresh}, trips, measured);
        HungHost longHung;
        longHung.waitUntilMarkedHung();
        roundTripsOfEach(windows, {Hang::Marked}, trips, measured);
    }
    return measured;
}

double medianOf(const std::vector<SwitchTimes>& switches, double (SwitchTimes::*figure)() const)
{
    std::vector<double> values;
    for (const SwitchTimes& times : switches)
        values.push_back((times.*figure)());
    return median(values);
}

struct Row {
    std::string what;
    double floorMs = -1;
    double lumenfoldMs = -1;
    // When the first window changed: what each takes before its first call has had its effect.
    double floorFirstMs = -1;
    double lumenfoldFirstMs = -1;
    std::string note;
};

std::string describe(int windowCount, Hang hang, bool shown)
{
    std::string what = (shown ? "show " : "hide ") + std::to_string(windowCount) + " windows";
    if (hang == Hang::Fresh)
        what += " + 1 hung < 5 s";
    if (hang == Hang::Marked)
        what += " + 1 hung > 6 s";
    return what + (shown ? " (Alt+F1)" : " (Alt+F2)");
}

std::string unfinishedNote(const char* who, const std::vector<SwitchTimes>& unfinished)
{
    std::string note;
    for (const SwitchTimes& times : unfinished)
        note += std::string(who) + ": " + std::to_string(times.changed()) + " of " +
                std::to_string(times.changedAt.size()) + " changed within " +
                std::to_string(static_cast<int>(SwitchLimitMs / 1000)) + " s, left out; ";
    return note;
}

// With a fresh hang, how long it had lasted when Lumenfold's switches ended.
std::string hangNote(const std::vector<SwitchTimes>& switches)
{
    std::string note;
    double longestHang = 0;
    int marked = 0;
    for (const SwitchTimes& times : switches) {
        longestHang = std::max(longestHang, times.hungAtEndMs);
        marked += times.markedHung ? 1 : 0;
    }
    if (longestHang > 0)
        note += "hung up to " + std::to_string(static_cast<int>(longestHang)) + " ms at the end; ";
    if (marked > 0)
        note += "marked hung by the end of " + std::to_string(marked) + " switches";
    return note;
}

Row rowOf(const std::string& what, const std::vector<SwitchTimes>& floor, const std::vector<SwitchTimes>& lumenfold,
          const std::string& note)
{
    return {what,
            medianOf(floor, &SwitchTimes::last),
            medianOf(lumenfold, &SwitchTimes::last),
            medianOf(floor, &SwitchTimes::first),
            medianOf(lumenfold, &SwitchTimes::first),
            note + hangNote(lumenfold)};
}

void addRows(std::vector<Row>& table, int windowCount, Hang hang, const Measured& measured)
{
    const Series& floor = measured.floor;
    const Series& lumenfold = measured.lumenfold;
    table.push_back(rowOf(describe(windowCount, hang, false), floor.hides, lumenfold.hides,
                          unfinishedNote("floor", floor.unfinishedHides) +
                              unfinishedNote("Lumenfold", lumenfold.unfinishedHides)));
    table.push_back(rowOf(describe(windowCount, hang, true), floor.shows, lumenfold.shows,
                          unfinishedNote("floor", floor.unfinishedShows) +
                              unfinishedNote("Lumenfold", lumenfold.unfinishedShows)));
}

// What the hung window adds to each, against the same switch without it.
void noteAgainstNoHang(Row& row, const Row& noHang)
{
    char text[80];
    std::snprintf(text, sizeof text, "against no hang: Lumenfold %+.0f ms, floor %+.0f ms; ",
                  row.lumenfoldMs - noHang.lumenfoldMs, row.floorMs - noHang.floorMs);
    row.note = text + row.note;
}

// Returns Lumenfold's round trips with a fresh hang, for a closer look.
Series measureSwitches(int windowCount, int roundTrips, std::vector<Row>& table)
{
    std::fprintf(stderr, "switching %d windows...\n", windowCount);
    LiveHosts hosts(windowCount);
    std::vector<HWND> windows = hosts.windowsTopToBottom();
    RunningLumenfold lumenfold;
    if (!lumenfold.running()) {
        std::fprintf(stderr, "Lumenfold did not start\n");
        return {};
    }
    FloorProgram floor(windows);
    if (!floor.ready()) {
        std::fprintf(stderr, "the floor's process did not start, or Alt+F11 and Alt+F12 are taken\n");
        return {};
    }
    MeasuredByHang measured = measureRoundTrips(windows, roundTrips);
    size_t noHangRows = table.size();
    for (Hang hang : Hangs)
        addRows(table, windowCount, hang, measured[static_cast<size_t>(hang)]);
    for (size_t row = noHangRows + 2; row < table.size(); ++row)
        noteAgainstNoHang(table[row], table[noHangRows + (row - noHangRows) % 2]);
    return measured[static_cast<size_t>(Hang::Fresh)].lumenfold;
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

// -1 when the menu never showed.
double showMenuOnceMs(const std::function<HMENU()>& build, HWND owner)
{
    double start = nowMs();
    menuShownAt = 0;
    HMENU menu = build();
    UINT_PTR timer = SetTimer(nullptr, 0, 1, closeMenuOnceShown);
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, 0, 10, 10, 0, owner, nullptr);
    KillTimer(nullptr, timer);
    DestroyMenu(menu);
    return menuShownAt > 0 ? menuShownAt - start : -1;
}

// The same items as the tray menu's, made with nothing but the menu calls.
HMENU menuOfPlainItems()
{
    HMENU menu = CreatePopupMenu();
    for (int desk = 1; desk <= 99; ++desk) {
        HMENU submenu = CreatePopupMenu();
        for (int item = 0; item < 23; ++item)
            AppendMenuA(submenu, MF_STRING, 2 + desk * 23 + item, "Window 10.10");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), "Desk 10");
    }
    return menu;
}

// In this process, once no Lumenfold runs: its desktops take the desktop hotkeys.
Row measureTrayMenu()
{
    std::fprintf(stderr, "tray menu...\n");
    MessageCatalog messages{"eng"};
    Settings settings{messages};
    DesktopManager manager{settings, messages};
    LockedDesktops desktops{manager};
    HWND owner = CreateWindowExA(0, "STATIC", MainWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                 nullptr);
    manager.attachMainWindow(owner);
    manager.loadDesktops();

    std::vector<HWND> windows;
    for (int desk = 1; desk <= 99; ++desk) {
        if (desk > 3)
            manager.setName(static_cast<DesktopId>(desk), ("Desk " + std::to_string(desk)).c_str());
        for (int n = 0; n < 20; ++n)
            windows.push_back(CreateWindowExA(0, "STATIC", ("Window " + std::to_string(desk) + "." +
                                                            std::to_string(n)).c_str(),
                                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100, nullptr,
                                              nullptr, nullptr, nullptr));
        if (desk < 99)
            manager.switchTo(static_cast<DesktopId>(desk + 1));
    }
    CommandMap commands;
    auto buildLumenfoldMenu = [&] {
        commands.clear();
        return buildTrayMenu(desktops, commands, messages);
    };
    // In turns, as the switches, so that both meet the same load.
    std::vector<double> lumenfoldTimes, floorTimes;
    for (int run = 0; run < MenuRuns; ++run) {
        for (auto [build, times] : {std::pair{std::function<HMENU()>(buildLumenfoldMenu), &lumenfoldTimes},
                                    std::pair{std::function<HMENU()>(menuOfPlainItems), &floorTimes}}) {
            double ms = showMenuOnceMs(build, owner);
            if (ms >= 0)
                times->push_back(ms);
        }
    }
    double lumenfoldMs = median(lumenfoldTimes), floorMs = median(floorTimes);
    for (HWND window : windows)
        DestroyWindow(window);
    return {"tray menu 99 desktops x 20 windows, built+shown", floorMs, lumenfoldMs, -1, -1, ""};
}

void printDateAndMachine()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    auto wineVersion = reinterpret_cast<const char*(CDECL*)()>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    std::printf("date: %04u-%02u-%02u %02u:%02u\n", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    std::printf("as Windows sees it: %lu processors, architecture %u, level %u, revision %04x; Wine %s\n",
                system.dwNumberOfProcessors, system.wProcessorArchitecture, system.wProcessorLevel,
                system.wProcessorRevision, wineVersion != nullptr ? wineVersion() : "none");
}

std::string figure(double ms, const char* format = "%.1f")
{
    if (ms < 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, format, ms);
    return text;
}

void printTable(const std::vector<Row>& table)
{
    std::printf("\nmedians over %d, %d and %d round trips for %d, %d and %d windows, over %d menus\n",
                WindowCounts[0].roundTrips, WindowCounts[1].roundTrips, WindowCounts[2].roundTrips,
                WindowCounts[0].windowCount, WindowCounts[1].windowCount, WindowCounts[2].windowCount, MenuRuns);
    std::printf("hide = Alt+F2 to the empty desktop 2, show = Alt+F1 back; floor = the same ShowWindow calls in "
                "the same order, by a process of the benchmark's own on Alt+F11 and Alt+F12\n");
    std::printf("%-48s %9s %10s %10s %21s  %s\n", "", "floor", "Lumenfold", "Lumenfold", "first change (ms)", "");
    std::printf("%-48s %9s %10s %10s %10s %10s  %s\n", "what", "ms", "ms", "/ floor", "floor", "Lumenfold", "note");
    for (const Row& row : table) {
        double ratio = row.floorMs > 0 && row.lumenfoldMs >= 0 ? row.lumenfoldMs / row.floorMs : -1;
        std::printf("%-48s %9s %10s %10s %10s %10s  %s\n", row.what.c_str(), figure(row.floorMs).c_str(),
                    figure(row.lumenfoldMs).c_str(), figure(ratio, "%.2f").c_str(), figure(row.floorFirstMs).c_str(),
                    figure(row.lumenfoldFirstMs).c_str(), row.note.c_str());
    }
}

void printChangeTimes(const char* label, const std::vector<SwitchTimes>& switches)
{
    std::printf("  %s: first window changed at %.0f ms, last at %.0f ms (medians)\n", label,
                medianOf(switches, &SwitchTimes::first), medianOf(switches, &SwitchTimes::last));
    for (const SwitchTimes& times : switches) {
        std::vector<double> inOrder = times.changedAt;
        std::sort(inOrder.begin(), inOrder.end());
        std::printf("    %d live windows above the hung one, hung for %.0f to %.0f ms:", times.liveAboveHung,
                    times.hungAtStartMs, times.hungAtEndMs);
        for (double at : inOrder)
            std::printf(" %.0f", at);
        std::printf("\n");
    }
}

// When each live window changed, from the key press on, as seen from outside.
void printSwitchPhases(const Series& freshHang)
{
    std::printf("\n10 windows + 1 hung < 5 s, Lumenfold: when each live window changed, in ms after the key press, "
                "one line per switch\n");
    printChangeTimes("hide (Alt+F2)", freshHang.hides);
    printChangeTimes("show (Alt+F1)", freshHang.shows);
}
}

// With arguments, only what they name: window counts and "menu", e.g. "10 menu".
int main(int argc, char** argv)
{
    std::vector<std::string> wanted(argv + 1, argv + argc);
    if (!wanted.empty() && wanted[0] == "--floor") {
        std::vector<HWND> windows;
        for (size_t n = 1; n < wanted.size(); ++n)
            windows.push_back(reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoul(wanted[n]))));
        return runFloor(windows);
    }
    auto measures = [&](const std::string& what) {
        return wanted.empty() || std::find(wanted.begin(), wanted.end(), what) != wanted.end();
    };
    // The watch's pause of a millisecond would last a whole timer tick (15.6 ms) on Windows.
    timeBeginPeriod(1);
    printDateAndMachine();
    std::vector<Row> table;
    Series tenWithFreshHang;
    for (const auto& count : WindowCounts) {
        if (!measures(std::to_string(count.windowCount)))
            continue;
        Series freshHang = measureSwitches(count.windowCount, count.roundTrips, table);
        if (count.windowCount == WindowCounts[0].windowCount)
            tenWithFreshHang = freshHang;
    }
    if (measures("menu"))
        table.push_back(measureTrayMenu());
    printTable(table);
    if (!tenWithFreshHang.hides.empty())
        printSwitchPhases(tenWithFreshHang);
    timeEndPeriod(1);
    return 0;
}
