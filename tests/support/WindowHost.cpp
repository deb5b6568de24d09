// Another application's windows, for the end-to-end tests: one visible top-level window per title
// on the command line, created in that order (the last one ends on top).
// usage: WindowHost.exe [--hang] TITLE...   The test that starts the host also ends it.
//   --hang  the thread stops answering messages once the windows are up, as a hung application.
#include <windows.h>

#include <cstring>

namespace {
// Answers messages for a while, waiting for them the way an application's message loop does.
void answerMessagesFor(UINT milliseconds)
{
    UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
        DispatchMessageA(&message);
    KillTimer(nullptr, timer);
}
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "WindowHostWindow";
    RegisterClassA(&windowClass);

    bool hang = false;
    int windows = 0;
    for (int i = 1; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "--hang") == 0) {
            hang = true;
            continue;
        }
        int offset = 30 * windows++;
        HWND window = CreateWindowExA(0, "WindowHostWindow", __argv[i], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      400 + offset, 200 + offset, 300, 180, nullptr, nullptr, instance, nullptr);
        UpdateWindow(window);
    }

    if (hang) {
        answerMessagesFor(300);
        Sleep(INFINITE);
    }

    // The test that started the host ends it.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
