#include "DesktopManager.h"

#include "WindowRequests.h"

namespace {
// Names are compared as the registry compares value names, without regard to letter case: two
// desktops whose names differed only so would share one value, and one would be lost at the next
// start.
bool sameName(const char* a, const char* b)
{
    return lstrcmpiA(a, b) == 0;
}
}

// Renames desktop id, or with id = count + 1 creates a desktop. Refused when another desktop has
// the name; renaming a desktop to its own name is accepted.
bool DesktopManager::setName(DesktopId id, const char* text)
{
    if (id < 1 || id > idEnd())
        return false;
    // The name is compared as it will be kept: a longer text is cut to the name's length first.
    char name[DesktopNameLength + 1];
    lstrcpynA(name, text, sizeof name);
    for (DesktopId other = 1; other < idEnd(); ++other) {
        if (other != id && sameName(desktop(other).name, name))
            return false;
    }
    if (id > static_cast<int>(desktops.size()))
        desktops.emplace_back();
    lstrcpynA(desktop(id).name, name, sizeof desktop(id).name);
    saveDesktops();
    return true;
}

// Whether desktop id may take the code (id 0: whether any desktop may): no hotkey (0) never
// collides, and a desktop's own code is its own. Another desktop's code is refused here, since the
// system refuses a combination already registered on this thread only on Windows, not under Wine.
// The system is asked last, under a spare id, since another program may hold the combination.
bool DesktopManager::hotkeyFree(DesktopId id, HotkeyCode code) const
{
    if (code == 0 || (exists(id) && code == desktop(id).hotkey))
        return true;
    for (DesktopId other = 1; other < idEnd(); ++other) {
        if (desktop(other).hotkey == code)
            return false;
    }
    if (!RegisterHotKey(nullptr, HotkeyIdProbe, hotkeyModifiers(code), hotkeyVirtualKey(code)))
        return false;
    UnregisterHotKey(nullptr, HotkeyIdProbe);
    return true;
}

// Gives desktop id a new hotkey, registered at once; refused, with the old one kept, where
// hotkeyFree refuses it. The registry is written by the caller's saveDesktops afterwards.
bool DesktopManager::setHotkey(DesktopId id, HotkeyCode code)
{
    if (!exists(id) || !hotkeyFree(id, code))
        return false;
    if (code == desktop(id).hotkey)
        return true;
    int hotkeyId = id + HotkeyIdDesktopBase;
    UnregisterHotKey(nullptr, hotkeyId);
    if (code != 0)
        RegisterHotKey(nullptr, hotkeyId, hotkeyModifiers(code), hotkeyVirtualKey(code));
    desktop(id).hotkey = code;
    return true;
}

// Deletes a desktop other than the current one. Its windows come to the current desktop, and the
// desktops above it move down one id, keeping their order and their hotkeys.
bool DesktopManager::deleteDesktop(DesktopId id)
{
    if (id == current || !exists(id))
        return false;
    unregisterDesktopHotkeys();
    for (const WindowEntry& entry : desktop(id).windows)
        showWindowWithoutBlocking(entry.hwnd, SW_SHOW);
    forgetWindows(id);
    desktops.erase(desktops.begin() + (id - 1));
    if (current > id)
        --current;
    registerDesktopHotkeys();
    switchTo(current);
    saveDesktops();
    return true;
}
