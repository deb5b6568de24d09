#include "HotkeyDispatcher.h"

#include "desktops/LockedDesktops.h"
#include "ui/Settings.h"

HotkeyDispatcher::HotkeyDispatcher(LockedDesktops& desktops, const Settings& settings)
    : desktops(desktops), settings(settings)
{
}

// Each call goes through the desktop lock on its own; one hotkey is not one locked unit.
void HotkeyDispatcher::dispatch(LPARAM pressed)
{
    for (int id = 0; id < desktops.idEnd(); ++id) {
        if (hotkeyMatches(desktops.hotkeyOf(static_cast<DesktopId>(id)), pressed))
            desktops.switchTo(static_cast<DesktopId>(id));
    }
    if (hotkeyMatches(settings.closeAll, pressed)) {
        // Windows opened since the last switch belong to the current desktop too.
        desktops.captureVisible();
        desktops.closeAllApps(static_cast<DesktopId>(desktops.currentId()));
    }
    if (hotkeyMatches(settings.nextDesk, pressed))
        desktops.switchTo(static_cast<DesktopId>(desktops.currentId() + 1));
    if (hotkeyMatches(settings.prevDesk, pressed))
        desktops.switchTo(static_cast<DesktopId>(desktops.currentId() - 1));
}
