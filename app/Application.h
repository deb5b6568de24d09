#pragma once
#include "framework/CWinApp.h"
#include "framework/UniqueHandle.h"

#include <memory>

class LockedDesktops;
class MainWindow;
class MessageCatalog;
class Settings;
class SystemMenuInjector;

// The process's application object. Its start routine runs the whole program on the main thread:
// the single-instance guard, the ordered start-up and the main loop. Deleting it at exit deletes
// the main window and then lets go of the single-instance file.
class Application : public CWinApp {
public:
    Application(LockedDesktops& desktops, Settings& settings, SystemMenuInjector& injector,
                const MessageCatalog& messages);
    ~Application() override;

    bool start() override;

private:
    void guardSingleInstance();
    static void beginExit();

    LockedDesktops& desktops;
    Settings& settings;
    SystemMenuInjector& injector;
    const MessageCatalog& messages;

    // "Lumenfold.tmp" in the user's temporary directory, open without sharing for the whole run.
    // The open handle is the lock; the system deletes the file when it closes, also on a crash.
    UniqueHandle instanceFile;
    std::unique_ptr<MainWindow> mainWindow;
};
