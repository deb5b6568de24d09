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

namespace {
// The hotkey control's flags and RegisterHotKey's modifiers, pair by pair; HOTKEYF_EXT and
// MOD_WIN have no counterpart and are dropped.
struct ModifierPair {
    BYTE controlFlag;
    UINT modifier;
};
const ModifierPair modifierPairs[] = {
    {HOTKEYF_SHIFT, MOD_SHIFT},
    {HOTKEYF_CONTROL, MOD_CONTROL},
    {HOTKEYF_ALT, MOD_ALT},
};
}

HotkeyCode hotkeyFromControl(WORD controlValue)
{
    int modifiers = 0;
    for (const ModifierPair& pair : modifierPairs) {
        if (HIBYTE(controlValue) & pair.controlFlag)
            modifiers |= pair.modifier;
    }
    return packHotkey(modifiers, LOBYTE(controlValue));
}

namespace {
// Keys whose scan code they share with a key of the numeric pad: without HOTKEYF_EXT the control
// would name the pad's key ("Num 6" for Right).
bool isExtendedKey(UINT virtualKey)
{
    return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT || virtualKey == VK_DELETE ||
           virtualKey == VK_DIVIDE || virtualKey == VK_NUMLOCK;
}
}

WORD hotkeyToControl(HotkeyCode code)
{
    BYTE flags = isExtendedKey(hotkeyVirtualKey(code)) ? HOTKEYF_EXT : 0;
    for (const ModifierPair& pair : modifierPairs) {
        if (hotkeyModifiers(code) & pair.modifier)
            flags |= pair.controlFlag;
    }
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
