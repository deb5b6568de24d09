#include "SystemMenuItems.h"

#include "SystemMenuChannel.h"

bool isOnAllDesktops(HWND window)
{
    return SystemMenuChannel::instance().perform(window, ReadMark) == Marked;
}
