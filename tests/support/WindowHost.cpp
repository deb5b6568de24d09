// Another application's windows for the end-to-end tests: one visible top-level window per title,
// created in that order (the last one ends on top). The test that starts the host also ends it.
// usage: WindowHost.exe [--hang] [--burst N] TITLE...
//   --hang     stops answering once the windows are up, as a hung application.
//   --burst N  N windows "TITLE 1" to "TITLE N" for the next title, one every few milliseconds.
// Each window answers "WindowHostMenuState" with what its own system menu holds (see menuState).
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {
// Lumenfold's items as this window's own system menu holds them: 0 without "on all desktops"
// (1124); else 1, plus 2 when it is checked, plus bit 16 + n - 1 for each "send to" entry of
// desktop n (1824 + n).
LRESULT menuState(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    UINT state = GetMenuState(menu, 1124, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1))
        return 0;
    LRESULT result = 1 | ((state & MF_CHECKED) ? 2 : 0);
    for (UINT n = 1; n <= 15; ++n)
        result |= GetMenuState(menu, 1824 + n, MF_BYCOMMAND) != static_cast<UINT>(-1) ? 1 << (15 + n) : 0;
    return result;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT menuStateMessage = RegisterWindowMessageA("WindowHostMenuState");
    return message == menuStateMessage ? menuState(window) : DefWindowProcA(window, message, wParam, lParam);
}

// Answers messages for a while, waiting for them the way an application's message loop does.
void answerMessagesFor(UINT milliseconds)
{
    UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0 && !(message.message == WM_TIMER && message.wParam == timer))
        DispatchMessageA(&message);
    KillTimer(nullptr, timer);
}

void makeWindow(const std::string& title, int index)
{
    int offset = 30 * (index % 10);
    HWND window = CreateWindowExA(0, "WindowHostWindow", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400 + offset,
                                  200 + offset, 300, 180, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
}
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Without a class cursor, keys typed at the X server stop reaching Wine once these are hidden.
    WNDCLASSA windowClass = {0, windowProc, 0, 0, instance, nullptr, LoadCursor(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr, "WindowHostWindow"};
    RegisterClassA(&windowClass);

    bool hang = false;
    int burst = 0, windows = 0;
    for (int i = 1; i < __argc; ++i) {
        std::string argument = __argv[i];
        if (argument == "--hang")
            hang = true;
        else if (argument == "--burst" && i + 1 < __argc)
            burst = std::atoi(__argv[++i]);
        else {
            for (int n = 1; n <= burst; ++n) {
                makeWindow(argument + " " + std::to_string(n), windows++);
                answerMessagesFor(5);
            }
            if (burst == 0)
                makeWindow(argument, windows++);
            burst = 0;
        }
    }

    // A hung host answers for a moment, as its windows are shown, and then never again.
    if (hang) {
        answerMessagesFor(300);
        Sleep(INFINITE);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
