// Another application's windows for the end-to-end tests: one visible top-level window per title,
// created in that order (the last one ends on top). The test that starts the host also ends it.
// usage: WindowHost.exe [--hang] TITLE...   --hang: stops answering once the windows are up.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    // Without a class cursor, keys typed at the X server stop reaching Wine once these are hidden.
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "WindowHostWindow";
    RegisterClassA(&windowClass);

    bool hang = __argc > 1 && std::strcmp(__argv[1], "--hang") == 0;
    for (int i = hang ? 2 : 1, offset = 0; i < __argc; ++i, offset += 30)
        UpdateWindow(CreateWindowExA(0, "WindowHostWindow", __argv[i], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400 + offset,
                                     200 + offset, 300, 180, nullptr, nullptr, instance, nullptr));

    // A hung host answers for a moment, as its windows are shown, and then never again.
    UINT_PTR timer = hang ? SetTimer(nullptr, 0, 300, nullptr) : 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (hang && message.message == WM_TIMER && message.wParam == timer)
            Sleep(INFINITE);
        DispatchMessageA(&message);
    }
    return 0;
}
