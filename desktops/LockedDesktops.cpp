#include "LockedDesktops.h"

#include "DesktopManager.h"

void LockedDesktops::attachMainWindow(HWND mainWindow)
{
    return locked([&](DesktopManager& desktops) { return desktops.attachMainWindow(mainWindow); });
}

void LockedDesktops::switchTo(DesktopId id)
{
    return locked([&](DesktopManager& desktops) { return desktops.switchTo(id); });
}

void LockedDesktops::showWindowsLeftHidden()
{
    return locked([&](DesktopManager& desktops) { return desktops.showWindowsLeftHidden(); });
}

void LockedDesktops::loadDesktops()
{
    return locked([&](DesktopManager& desktops) { return desktops.loadDesktops(); });
}

void LockedDesktops::saveDesktops()
{
    return locked([&](DesktopManager& desktops) { return desktops.saveDesktops(); });
}

void LockedDesktops::closeAllApps(DesktopId id)
{
    return locked([&](DesktopManager& desktops) { return desktops.closeAllApps(id); });
}

std::optional<WindowEntry> LockedDesktops::windowAt(DesktopId id, unsigned index)
{
    return locked([&](DesktopManager& desktops) { return desktops.windowAt(id, index); });
}

std::vector<DesktopSnapshot> LockedDesktops::snapshot()
{
    return locked([&](DesktopManager& desktops) { return desktops.snapshot(); });
}

int LockedDesktops::windowCount(DesktopId id)
{
    return locked([&](DesktopManager& desktops) { return desktops.windowCount(id); });
}

void LockedDesktops::captureVisible()
{
    return locked([&](DesktopManager& desktops) { return desktops.captureVisible(); });
}

void LockedDesktops::forgetWindows(DesktopId id)
{
    return locked([&](DesktopManager& desktops) { return desktops.forgetWindows(id); });
}

void LockedDesktops::addWindow(HWND window)
{
    return locked([&](DesktopManager& desktops) { return desktops.addWindow(window); });
}

void LockedDesktops::removeWindow(HWND window)
{
    return locked([&](DesktopManager& desktops) { return desktops.removeWindow(window); });
}

void LockedDesktops::releaseWindow(HWND window)
{
    return locked([&](DesktopManager& desktops) { return desktops.releaseWindow(window); });
}

void LockedDesktops::sendWindowTo(DesktopId id, HWND window)
{
    return locked([&](DesktopManager& desktops) { return desktops.sendWindowTo(id, window); });
}

int LockedDesktops::currentId()
{
    return locked([&](DesktopManager& desktops) { return desktops.currentId(); });
}

int LockedDesktops::idEnd()
{
    return locked([&](DesktopManager& desktops) { return desktops.idEnd(); });
}

std::optional<std::string> LockedDesktops::desktopName(DesktopId id)
{
    return locked([&](DesktopManager& desktops) { return desktops.desktopName(id); });
}

bool LockedDesktops::setName(DesktopId id, const char* name)
{
    return locked([&](DesktopManager& desktops) { return desktops.setName(id, name); });
}

HotkeyCode LockedDesktops::hotkeyOf(DesktopId id)
{
    return locked([&](DesktopManager& desktops) { return desktops.hotkeyOf(id); });
}

bool LockedDesktops::hotkeyFree(DesktopId id, HotkeyCode code)
{
    return locked([&](DesktopManager& desktops) { return desktops.hotkeyFree(id, code); });
}

bool LockedDesktops::setHotkey(DesktopId id, HotkeyCode code)
{
    return locked([&](DesktopManager& desktops) { return desktops.setHotkey(id, code); });
}

bool LockedDesktops::deleteDesktop(DesktopId id)
{
    return locked([&](DesktopManager& desktops) { return desktops.deleteDesktop(id); });
}
