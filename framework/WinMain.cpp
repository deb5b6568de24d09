#include "CWinApp.h"

#include <commctrl.h>

// The entry point of a program built on the framework. Returning from here ends the process
// through the runtime's exit, which runs the destructors of every process-wide object.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::current();
    if (app == nullptr)
        return 1;
    app->m_hInstance = instance;

    // The tooltip, list view and hotkey classes must be registered before any window uses them.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    if (!app->start())
        return 0;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
