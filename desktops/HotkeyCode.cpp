#include "HotkeyCode.h"

#include <commctrl.h>

#include <cstdio>

HotkeyCode packHotkey(int modifiers, int virtualKey)
{
    return (static_cast<HotkeyCode>(modifiers) << 16) | static_cast<HotkeyCode>(virtualKey);
}

bool hotkeyMatches(HotkeyCode code, LPARAM hotkeyMessageLParam)
{
    return HIWORD(hotkeyMessageLParam) == hotkeyVirtualKey(code) && LOWORD(hotkeyMessageLParam) == hotkeyModifiers(code);
}

HotkeyCode hotkeyFromControl(WORD controlValue)
{
    BYTE flags = HIBYTE(controlValue);
    int modifiers = 0;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    return packHotkey(modifiers, LOBYTE(controlValue));
}

WORD hotkeyToControl(HotkeyCode code)
{
    UINT modifiers = hotkeyModifiers(code);
    BYTE flags = 0;
    if (modifiers & MOD_SHIFT)
        flags |= HOTKEYF_SHIFT;
    if (modifiers & MOD_CONTROL)
        flags |= HOTKEYF_CONTROL;
    if (modifiers & MOD_ALT)
        flags |= HOTKEYF_ALT;
    return static_cast<WORD>((flags << 8) | (code & 0xFF));
}

std::string hotkeyText(HotkeyCode code, bool lineFeed)
{
    char text[32];
    wsprintfA(text, lineFeed ? "%d %d\n" : "%d %d", hotkeyModifiers(code), hotkeyVirtualKey(code));
    return text;
}

HotkeyCode parseHotkeyText(const char* data, DWORD size)
{
    // The registry is read into 275 bytes; more than that is never a hotkey.
    char text[276] = {};
    if (size >= sizeof text)
        return 0;
    for (DWORD i = 0; i < size; ++i)
        text[i] = data[i];
    int modifiers = 0;
    int virtualKey = 0;
    if (std::sscanf(text, "%d %d", &modifiers, &virtualKey) != 2)
        return 0;
    return packHotkey(modifiers, virtualKey);
}
