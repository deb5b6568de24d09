#include "DesktopEditDialog.h"

#include "app/MessageCatalog.h"
#include "desktops/LockedDesktops.h"
#include "res/resource.h"

DesktopEditDialog::DesktopEditDialog(DesktopId desktopId, LockedDesktops& desktops, const MessageCatalog& messages,
                                     std::function<bool(HotkeyCode)> specialHolds)
    : CDialog(IDD_DESKTOP_EDIT), desktops(desktops), messages(messages), desktopId(desktopId),
      specialHolds(std::move(specialHolds))
{
}

void DesktopEditDialog::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDCANCEL, cancelButton);
    DDX_Control(exchange, IDC_HOTKEY_LABEL, hotkeyLabel);
    DDX_Control(exchange, IDC_NAME_LABEL, nameLabel);
    DDX_Control(exchange, IDC_DESKTOP_NAME, nameEdit);
    DDX_Control(exchange, IDC_DESKTOP_HOTKEY, hotkeyCtrl);
}

BOOL DesktopEditDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(messages.text(MsgEditDesktopCaption));
    nameLabel.SetWindowText(messages.text(MsgDesktopNameLabel));
    hotkeyLabel.SetWindowText(messages.text(MsgKeyboardCombinationLabel));
    cancelButton.SetWindowText(messages.text(MsgCancel));
    hotkeyCtrl.SetHotKey(hotkeyToControl(desktops.hotkeyOf(desktopId)));
    nameEdit.SetLimitText(DesktopNameLength);
    nameEdit.SetWindowText(desktops.desktopName(desktopId).value_or("").c_str());
    return TRUE;
}

// The hotkey is checked before anything is written, so that a refusal of either the name or the
// hotkey leaves the desktop as it was.
void DesktopEditDialog::OnOK()
{
    HotkeyCode code = hotkeyFromControl(hotkeyCtrl.GetHotKey());
    char name[DesktopNameLength + 1] = {};
    nameEdit.GetWindowText(name, sizeof name);
    if (name[0] == '\0')
        return refuse(MsgTypeDesktopName);
    if (specialHolds(code) || !desktops.hotkeyFree(desktopId, code))
        return refuse(MsgCantRegisterHotkey);
    if (!desktops.setName(desktopId, name))
        return refuse(MsgDesktopNameExists);
    desktops.setHotkey(desktopId, code);
    CDialog::OnOK();
}

// A refused hotkey is never left in the control: it shows the desktop's own combination again.
void DesktopEditDialog::refuse(int messageNumber)
{
    messages.noticeBox(messages.text(messageNumber));
    if (messageNumber == MsgCantRegisterHotkey)
        hotkeyCtrl.SetHotKey(hotkeyToControl(desktops.hotkeyOf(desktopId)));
}
