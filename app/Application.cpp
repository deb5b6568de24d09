#include "Application.h"

#include "HotkeyDispatcher.h"
#include "MainLoop.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "desktops/LockedDesktops.h"
#include "hooks/SystemMenuInjector.h"
#include "ui/Settings.h"

#include <cstdlib>
#include <string>

namespace {
const DWORD TempPathBufferSize = 275;
// At exit a lock may never come free (see CSemaphore::BoundWaits); this is how long it is awaited.
const DWORD ExitLockLimitMs = 1000;

Application* runningApplication = nullptr;
}

Application::Application(LockedDesktops& desktops, Settings& settings, SystemMenuInjector& injector,
                         const MessageCatalog& messages)
    : desktops(desktops), settings(settings), injector(injector), messages(messages)
{
}

Application::~Application()
{
    mainWindow.reset();
    instanceFile.reset();
}

bool Application::start()
{
    // Registered after every process-wide object has been built, so it runs before any of them is
    // cleaned up, whichever way the process ends.
    runningApplication = this;
    std::atexit(beginExit);
    guardSingleInstance();
    // Only past the guard: a refused second copy must not touch a running copy's windows.
    desktops.showWindowsLeftHidden();

    mainWindow = std::make_unique<MainWindow>(desktops, injector, settings, messages);
    m_pMainWnd = mainWindow.get();
    desktops.attachMainWindow(mainWindow->m_hWnd);
    injector.attachMainWindow(mainWindow->m_hWnd);

    // The desktops come first, so the tray icon starts without a number; the switch after the
    // options have been read gives it the number if the user wants one.
    desktops.loadDesktops();
    settings.load();
    desktops.switchTo(static_cast<DesktopId>(desktops.currentId()));
    mainWindow->completeStartup();

    HotkeyDispatcher hotkeys(desktops, settings);
    MainLoop(hotkeys).run();
    return false;
}

// The first step of the exit clean-up. The watcher stops first, so that no report of the hook
// library reaches the system-menu items or the desktops while they are taken down; the hooks
// themselves stay until the main window goes, so that the items can still be taken off the
// windows of other programs. A fatal error inside a locked operation leaves a lock taken for good,
// and the watcher may wait on it: from here on no wait for a lock is unbounded.
void Application::beginExit()
{
    MessageCatalog::ending = true;
    Application* application = runningApplication;
    if (application == nullptr)
        return;
    if (application->mainWindow != nullptr)
        application->mainWindow->stopWatcher();
    application->injector.beginExit(ExitLockLimitMs);
    application->desktops.beginExit(ExitLockLimitMs);
}

void Application::guardSingleInstance()
{
    // A path that does not fit the buffer is not filled in at all; it never makes a file name.
    char directory[TempPathBufferSize];
    DWORD length = GetTempPathA(TempPathBufferSize, directory);
    if (length == 0 || length >= TempPathBufferSize)
        messages.fatalError(MsgNoTemporaryDirectory);

    // The returned path ends in a backslash already; the doubled separator is harmless.
    std::string path = std::string(directory) + "\\Lumenfold.tmp";
    instanceFile.reset(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!instanceFile.valid())
        messages.fatalError(MsgAlreadyRunning);
}
