#include "SpecialHotkeyCtrl.h"

#include "app/MessageCatalog.h"

namespace {
// Posted to the control itself: the notice of a refusal is shown once the focus has settled, not
// from inside the focus change.
const UINT ShowRefusalMessage = WM_APP + 1;
}

SpecialHotkeyCtrl::SpecialHotkeyCtrl(int hotkeyId, int refusalMessage, const MessageCatalog& messages)
    : hotkeyId(hotkeyId), refusalMessage(refusalMessage), messages(messages)
{
}

LRESULT SpecialHotkeyCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        beforeFocus = code();
        heldOff = true;
        UnregisterHotKey(nullptr, hotkeyId);
        break;
    case WM_KILLFOCUS:
        if (heldOff && !registerShown())
            PostMessageA(m_hWnd, ShowRefusalMessage, 0, 0);
        break;
    case ShowRefusalMessage:
        messages.noticeBox(messages.text(refusalMessage));
        return 0;
    }
    return CHotKeyCtrl::WindowProc(message, wParam, lParam);
}

void SpecialHotkeyCtrl::settle()
{
    if (heldOff && !registerShown())
        messages.noticeBox(messages.text(refusalMessage));
}

bool SpecialHotkeyCtrl::registerShown()
{
    heldOff = false;
    HotkeyCode shown = code();
    if (shown == 0 ||
        (mayTake(shown) && RegisterHotKey(nullptr, hotkeyId, hotkeyModifiers(shown), hotkeyVirtualKey(shown))))
        return true;
    // Another program may have taken the earlier combination meanwhile: then the control shows none,
    // so that what is stored is always what is registered.
    bool restored = beforeFocus != 0 &&
                    RegisterHotKey(nullptr, hotkeyId, hotkeyModifiers(beforeFocus), hotkeyVirtualKey(beforeFocus));
    show(restored ? beforeFocus : 0);
    return false;
}
