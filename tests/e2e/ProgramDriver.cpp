#include "ProgramDriver.h"

#include "tests/support/TestRegistry.h"

HWND findWindowOfProcess(DWORD processId, const std::string& title, DWORD timeoutMs)
{
    return findTopLevel([&](HWND window) {
        return (processId == 0 || processOf(window) == processId) && windowText(window) == title;
    }, timeoutMs);
}
bool visible(HWND window) { return IsWindowVisible(window) != FALSE; }
HWND visibleNotice(DWORD processId)
{
    return findTopLevel([&](HWND tip) {
        return className(tip) == "tooltips_class32" && processOf(tip) == processId && visible(tip);
    });
}

// One at most, as the instance guard refuses a second before it makes its main window.
void endStrayLumenfolds()
{
    HWND stray = findWindowOfProcess(0, "LumenfoldAppWin", 0);
    if (HANDLE process = stray ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processOf(stray)) : nullptr) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

void prepareFirstRun(DWORD noticeFlags)
{
    endStrayLumenfolds();
    registry::resetProgramKeys();
    registry::write(registry::OptionsKey, "ShowCurDeskMsg", REG_BINARY,
                    std::string(reinterpret_cast<const char*>(&noticeFlags), sizeof noticeFlags));
}

RunningLumenfold::~RunningLumenfold()
{
    if (running() && main)
        terminate();
}

bool RunningLumenfold::launch() { return ChildProcess::start("\"" + programPath() + "\""); }
bool RunningLumenfold::start()
{
    // Once the main loop waits for input, ReadyMessage, posted before the loop began, is gone.
    return launch() && (main = findWindowOfProcess(id(), "LumenfoldAppWin")) != nullptr &&
           WaitForInputIdle(handle(), 15000) == 0;
}

std::optional<DWORD> RunningLumenfold::terminate()
{
    PostMessageA(main, WM_COMMAND, 1, 0);
    return waitForExit();
}

void expectFatalBox(ChildProcess& process, const std::string& text, const std::string& caption)
{
    HWND box = findMessageBox(process.id());
    ASSERT_NE(box, nullptr) << "no fatal error box";
    EXPECT_EQ(hexBytes(messageBoxText(box)), hexBytes(text));
    EXPECT_TRUE(caption.empty() || windowText(box) == caption) << hexBytes(windowText(box));
    pressButton(box, IDOK);
    EXPECT_EQ(process.waitForExit(), 1u);
}

void pressKeys(std::initializer_list<WORD> virtualKeys)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD key, DWORD release) {
        DWORD extended = key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE ? KEYEVENTF_EXTENDEDKEY : 0;
        inputs.push_back({INPUT_KEYBOARD, {}});
        inputs.back().ki = {key, static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), release | extended, 0, 0};
    };
    for (WORD key : virtualKeys)
        add(key, 0);
    for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key)
        add(*key, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void typeKeys(const std::vector<WORD>& virtualKeys)
{
    for (WORD key : virtualKeys) {
        pressKeys({key});
        pumpMessagesFor(150);
    }
}

bool pressAltUntil(WORD desktopKey, const std::function<bool()>& done)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        pressAlt(desktopKey);
        if (waitUntil(done, 4000))
            return true;
    }
    return false;
}

bool menuShown(bool shown, DWORD timeoutMs)
{
    return waitUntil([=] { return (IsWindowVisible(FindWindowA("#32768", nullptr)) != FALSE) == shown; }, timeoutMs);
}

HostedWindows::HostedWindows(std::initializer_list<std::string> titles, const std::string& options)
{
    std::string command = "\"" + helperPath("WindowHost.exe") + "\" " + options;
    for (const std::string& title : titles)
        command += " \"" + title + "\"";
    readyFlag = process.start(command);
    for (const std::string& title : titles)
        readyFlag = readyFlag && findWindowOfProcess(process.id(), title) != nullptr;
    // The host has shown its windows when it first waits for input.
    readyFlag = readyFlag && WaitForInputIdle(process.handle(), 10000) == 0;
}

LRESULT hostedMenuState(HWND window)
{
    static const UINT message = RegisterWindowMessageA("WindowHostMenuState");
    DWORD_PTR state = 0;
    return SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &state) ? LRESULT(state) : -1;
}
