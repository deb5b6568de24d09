#pragma once
#include <windows.h>

#include <string>

// The one encoding of a hotkey used everywhere: RegisterHotKey's modifier set (MOD_ALT = 1,
// MOD_CONTROL = 2, MOD_SHIFT = 4) in the high 16 bits, the virtual-key code in the low 16 bits.
// 0 means no hotkey.
using HotkeyCode = DWORD;

// Desktop n registers its hotkey under id n + 3; ids 1 to 3 are the special hotkeys.
constexpr int HotkeyIdDesktopBase = 3;
// Registered only for the moment of asking the system whether a combination is free.
constexpr int HotkeyIdProbe = 0xBFFF;

// (modifiers << 16) | virtualKey; the key is deliberately not masked.
HotkeyCode packHotkey(int modifiers, int virtualKey);
inline UINT hotkeyModifiers(HotkeyCode code) { return code >> 16; }
inline UINT hotkeyVirtualKey(HotkeyCode code) { return code & 0xFFFF; }

// WM_HOTKEY carries the two halves the other way round: modifiers in the low word of lParam, the
// key in the high word. Hotkeys are matched by key combination, never by id.
bool hotkeyMatches(HotkeyCode code, LPARAM hotkeyMessageLParam);

// The hotkey control (msctls_hotkey32) holds the key in its low byte and HOTKEYF_* flags in the
// next byte. HOTKEYF_EXT has no counterpart in a code, and MOD_WIN none in the control.
HotkeyCode hotkeyFromControl(WORD controlValue);
WORD hotkeyToControl(HotkeyCode code);

// The registry text of a hotkey: two decimal numbers, modifiers and key ("%d %d"), with a line
// feed after them where the stored format asks for one.
std::string hotkeyText(HotkeyCode code, bool lineFeed);
// Reads registry data that may be neither terminated nor well formed: anything that does not begin
// with two integers is no hotkey.
HotkeyCode parseHotkeyText(const char* data, DWORD size);
