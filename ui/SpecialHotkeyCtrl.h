#pragma once
#include "desktops/HotkeyCode.h"
#include "framework/Controls.h"

#include <functional>

class MessageCatalog;

// A hotkey control of the options dialog that edits one of the three special hotkeys. While it has
// the focus its hotkey is unregistered, so that pressing the combination types it into the control
// instead of acting; when the focus leaves, the combination shown is registered at once. One that
// the system refuses (another program holds it, or it is one of this program's own hotkeys) is
// never kept: the control goes back to the combination it had, registered again, and a notice
// names the hotkey that failed.
class SpecialHotkeyCtrl : public CHotKeyCtrl {
public:
    SpecialHotkeyCtrl(int hotkeyId, int refusalMessage, const MessageCatalog& messages);

    HotkeyCode code() const { return hotkeyFromControl(GetHotKey()); }
    void show(HotkeyCode code) { SetHotKey(hotkeyToControl(code)); }
    // Registers what the control shows if its focus handling holds the hotkey off; the notice of a
    // refusal comes at once. Afterwards the focus leaving the control changes nothing.
    void settle();
    // The focus leaving the control no longer registers anything: the dialog is putting the stored
    // combinations back.
    void forget() { heldOff = false; }

    const int hotkeyId;
    // Whether the combination is free of this program's other hotkeys, set by the dialog.
    std::function<bool(HotkeyCode)> mayTake;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // False when the system refused the combination shown; the control then shows the earlier one.
    bool registerShown();

    const int refusalMessage;
    const MessageCatalog& messages;
    bool heldOff = false;        // unregistered while the control has the focus
    HotkeyCode beforeFocus = 0;  // what the control showed, registered, when it took the focus
};
