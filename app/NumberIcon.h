#pragma once
#include <windows.h>

class MessageCatalog;

// The desktop number in the tray: two digits, black on white, the tens digit in the left half
// and the ones digit in the right half, composed from the digit icons among our resources.

// The loaded icon of one digit (0 to 9), or null for anything else. Loaded icons are shared and
// never destroyed.
HICON digitIcon(int digit);

// A new icon showing the number as two digits (1 shows as 01), or null for 100 and more. The
// caller destroys it. A digit icon that cannot be read is fatal.
HICON composeNumberIcon(HWND paintWindow, int number, const MessageCatalog& messages);
