#pragma once
#include "desktops/Desktop.h"
#include "framework/CDialog.h"
#include "framework/Controls.h"

#include <functional>

class LockedDesktops;
class MessageCatalog;
class Settings;

// Edits the name and the hotkey of one desktop, or with the id one past the last desktop, creates
// one. OK applies both at once; a refusal leaves the dialog open and changes nothing.
class DesktopEditDialog : public CDialog {
public:
    // specialHolds: whether one of the special hotkeys holds a combination.
    DesktopEditDialog(DesktopId desktopId, LockedDesktops& desktops, const MessageCatalog& messages,
                      std::function<bool(HotkeyCode)> specialHolds);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void refuse(int messageNumber);

    LockedDesktops& desktops;
    const MessageCatalog& messages;

    CButton cancelButton;
    CStatic hotkeyLabel;
    CStatic nameLabel;
    CEdit nameEdit;
    CHotKeyCtrl hotkeyCtrl;
    const DesktopId desktopId;
    const std::function<bool(HotkeyCode)> specialHolds;
};
