#include "CWinApp.h"

namespace {
CWinApp* theApp = nullptr;
}

CWinApp::CWinApp()
{
    theApp = this;
    m_hInstance = GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (theApp == this)
        theApp = nullptr;
}

CWinApp* CWinApp::current()
{
    return theApp;
}
