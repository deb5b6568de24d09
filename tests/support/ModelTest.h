#pragma once
#include "TestRegistry.h"
#include "TestWindow.h"
#include "app/MessageCatalog.h"
#include "desktops/DesktopManager.h"
#include "desktops/LockedDesktops.h"
#include "ui/Settings.h"

#include <gtest/gtest.h>

// The program's model as a start builds it, on this thread: the options with their defaults
// written but not read (no notice, no special hotkeys), the desktops loaded, a hidden main window.
class ModelTest : public ::testing::Test {
protected:
    // prepare leaves the registry that the start finds; by default a first run's (Alt+F1 to Alt+F3).
    explicit ModelTest(void (*prepare)() = registry::resetProgramKeys) : prepared((prepare(), true)) {}
    void SetUp() override
    {
        desktops.attachMainWindow(mainWindow.handle());
        desktops.loadDesktops();
    }

    bool prepared; // first: the settings write their defaults when built
    MessageCatalog messages{"eng"};
    Settings settings{messages};
    HiddenWindow mainWindow;
    DesktopManager manager{settings, messages};
    LockedDesktops desktops{manager};
};
