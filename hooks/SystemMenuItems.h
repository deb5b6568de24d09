#pragma once
#include "trapkit/TrapKitProtocol.h"

// A window is on all desktops exactly when its system menu carries our item with a check mark and
// no other state. The mark lives nowhere else: a switch never files or hides such a window.
bool isOnAllDesktops(HWND window);
