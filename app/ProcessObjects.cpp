// The process-wide objects of Lumenfold. They live in this one file so that they are built in the
// order written here, which is the language's order and not the linker's, and are cleaned up at
// process exit in the reverse order: the desktops show every hidden window again before the
// application lets go of its window and its single-instance file. Only the program links this
// file; tests build their own instances.
#include "app/Application.h"
#include "app/CrashFilter.h"
#include "app/MessageCatalog.h"
#include "desktops/DesktopManager.h"
#include "desktops/LockedDesktops.h"
#include "hooks/SystemMenuChannel.h"
#include "hooks/SystemMenuInjector.h"
#include "ui/Settings.h"

#include <memory>

extern Settings settings;
extern DesktopManager desktopManager;
extern SystemMenuInjector systemMenuInjector;

// Constant-initialised, before any object below: the texts follow the language setting, which is
// empty (Russian) until the options have been read.
const MessageCatalog messages{settings.language};

LockedDesktops lockedDesktops{desktopManager};
std::unique_ptr<Application> application{new Application(lockedDesktops, settings, systemMenuInjector, messages)};
Settings settings{messages};
DesktopManager desktopManager{settings, messages};
// Made after the desktops and so gone before them, whose clean-up shows every window itself.
const CrashFilter crashFilter{desktopManager.hiddenWindows()};
SystemMenuInjector systemMenuInjector{lockedDesktops, messages, SystemMenuChannel::instance()};
