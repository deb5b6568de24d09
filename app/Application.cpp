#include "Application.h"

#include "HotkeyDispatcher.h"
#include "MainLoop.h"
#include "MainWindow.h"
#include "MessageCatalog.h"
#include "desktops/LockedDesktops.h"
#include "ui/Settings.h"

#include <string>

namespace {
const DWORD TempPathBufferSize = 275;
}

Application::Application(LockedDesktops& desktops, Settings& settings, const MessageCatalog& messages)
    : desktops(desktops), settings(settings), messages(messages)
{
}

Application::~Application()
{
    mainWindow.reset();
    instanceFile.reset();
}

bool Application::start()
{
    guardSingleInstance();

    mainWindow = std::make_unique<MainWindow>(desktops, messages);
    m_pMainWnd = mainWindow.get();
    desktops.attachMainWindow(mainWindow->m_hWnd);

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
