#pragma once
#include <windows.h>

class CWnd;

// The process's one application object. The program's entry point, which the framework owns, hands
// control to start() once the framework has initialised itself.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's start routine. Returning false ends the process through the runtime's normal
    // exit, so that every process-wide object is cleaned up; returning true runs a plain message
    // loop first.
    virtual bool start() = 0;

    static CWinApp* current();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
};
