#include "OptionsDialog.h"

#include "DesktopEditDialog.h"
#include "Settings.h"
#include "app/MessageCatalog.h"
#include "desktops/LockedDesktops.h"
#include "res/resource.h"

#include <array>
#include <string>

namespace {
const int MaxDesktopCount = 99;
}

const MessageMapEntry<OptionsDialog> OptionsDialog::messageMap[] = {
    mapMessage(WM_PAINT, &OptionsDialog::OnPaint),
    mapCommand(IDC_EDIT_DESKTOP, BN_CLICKED, &OptionsDialog::OnEditDesktop),
    mapNotify(IDC_DESKTOP_LIST, LVN_ENDLABELEDITA, &OptionsDialog::OnEndLabelEdit),
    mapCommand(IDC_DELETE_DESKTOP, BN_CLICKED, &OptionsDialog::OnDeleteDesktop),
    mapNotify(IDC_DESKTOP_LIST, LVN_BEGINLABELEDITA, &OptionsDialog::OnBeginLabelEdit),
    mapCommand(IDC_ADD_DESKTOP, BN_CLICKED, &OptionsDialog::OnAddDesktop),
    mapMessage(WM_CLOSE, &OptionsDialog::OnClose),
    mapMessage(WM_DESTROY, &OptionsDialog::OnDestroy),
    mapCommand(IDC_TOOLTIP, BN_CLICKED, &OptionsDialog::OnTooltipCheck),
};

OptionsDialog::OptionsDialog(UINT templateId, LockedDesktops& desktops, Settings& settings,
                             const MessageCatalog& messages)
    : CDialog(templateId), desktops(desktops), settings(settings), messages(messages),
      closeAllHotkey(Settings::HotkeyIdCloseAll, MsgCantRegisterCloseAllHotkey, messages),
      nextHotkey(Settings::HotkeyIdNext, MsgCantRegisterNextHotkey, messages),
      prevHotkey(Settings::HotkeyIdPrev, MsgCantRegisterPreviousHotkey, messages),
      icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM)))
{
    for (SpecialHotkeyCtrl* control : specialHotkeys()) {
        control->mayTake = [this, control](HotkeyCode code) {
            return this->desktops.hotkeyFree(0, code) && !specialHolds(code, control->hotkeyId);
        };
    }
}

std::array<SpecialHotkeyCtrl*, 3> OptionsDialog::specialHotkeys()
{
    return {&nextHotkey, &prevHotkey, &closeAllHotkey};
}

bool OptionsDialog::specialHolds(HotkeyCode code, int exceptId) const
{
    if (code == 0)
        return false;
    const struct {
        const SpecialHotkeyCtrl& control;
        HotkeyCode stored;
    } specials[] = {{nextHotkey, settings.nextDesk}, {prevHotkey, settings.prevDesk}, {closeAllHotkey, settings.closeAll}};
    for (const auto& special : specials) {
        if (special.control.hotkeyId != exceptId && (special.stored == code || special.control.code() == code))
            return true;
    }
    return false;
}

void OptionsDialog::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDC_TRAY_NUMBER, trayNumberCheck);
    DDX_Control(exchange, IDC_CLOSE_ALL_HOTKEY, closeAllHotkey);
    DDX_Control(exchange, IDC_EDIT_DESKTOP, editButton);
    DDX_Control(exchange, IDC_DELETE_DESKTOP, deleteButton);
    DDX_Control(exchange, IDC_ADD_DESKTOP, addButton);
    DDX_Control(exchange, IDC_TOOLTIP_ALWAYS, alwaysCheck);
    DDX_Control(exchange, IDC_AUTO_START, autoStartCheck);
    DDX_Control(exchange, IDC_TOOLTIP, tooltipCheck);
    DDX_Control(exchange, IDC_NEXT_HOTKEY, nextHotkey);
    DDX_Control(exchange, IDC_PREV_HOTKEY, prevHotkey);
    DDX_Control(exchange, IDC_DESKTOP_LIST, desktopList);
}

bool OptionsDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return dispatchMessageMap(*this, messageMap, message, wParam, lParam, result);
}

BOOL OptionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetupColumns();
    showOptions();
    BuildMenuBar();
    return TRUE;
}

void OptionsDialog::SetupColumns()
{
    desktopList.DeleteAllItems();
    desktopList.DeleteColumn(1);
    desktopList.DeleteColumn(0);
    desktopList.InsertColumn(0, messages.text(MsgDesktopNameLabel), LVCFMT_LEFT, 100);
    desktopList.InsertColumn(1, "#", LVCFMT_LEFT, 25);
    FillDesktopList();
}

void OptionsDialog::FillDesktopList()
{
    desktopList.DeleteAllItems();
    for (DesktopId id = 1;; ++id) {
        std::optional<std::string> name = desktops.desktopName(id);
        if (!name)
            break;
        int row = desktopList.InsertItem(desktopList.GetItemCount(), name->c_str());
        desktopList.SetItemText(row, 1, std::to_string(id).c_str());
    }
    desktopList.SetItemData(desktops.currentId() - 1, DesktopListCtrl::CurrentRowMark);
}

int OptionsDialog::selectedDesktop() const
{
    return desktopList.GetNextItem(-1, LVNI_SELECTED) + 1;
}

void OptionsDialog::showOptions()
{
    prevHotkey.show(settings.prevDesk);
    nextHotkey.show(settings.nextDesk);
    closeAllHotkey.show(settings.closeAll);
    bool tooltip = (settings.noticeFlags & Settings::NoticeTooltip) != 0;
    alwaysCheck.EnableWindow(tooltip);
    tooltipCheck.SetCheck(tooltip);
    alwaysCheck.SetCheck(tooltip && (settings.noticeFlags & Settings::NoticeTooltipAlways) != 0);
    trayNumberCheck.SetCheck((settings.noticeFlags & Settings::NoticeTrayNumber) != 0);
    autoStartCheck.SetCheck(settings.autoStart != 0);
}

void OptionsDialog::OnTooltipCheck()
{
    alwaysCheck.EnableWindow(tooltipCheck.GetCheck() == BST_CHECKED);
}

void OptionsDialog::OnAddDesktop()
{
    int id = desktopList.GetItemCount() + 1;
    if (id > MaxDesktopCount) {
        messages.noticeBox(messages.text(MsgDesktopLimitReached));
        return;
    }
    runEditDialog(static_cast<DesktopId>(id));
}

void OptionsDialog::OnEditDesktop()
{
    int id = selectedDesktop();
    if (id == 0) {
        messages.noticeBox(messages.text(MsgSelectDesktopToEdit));
        return;
    }
    runEditDialog(static_cast<DesktopId>(id));
}

// While the edit dialog is open the desktop's own hotkey is not registered, so that pressing its
// combination types it into the edit dialog instead of switching desktops. Storing the desktops
// afterwards registers every desktop hotkey again, whether the dialog ended with OK or Cancel.
void OptionsDialog::runEditDialog(DesktopId id)
{
    DesktopEditDialog edit(id, desktops, messages, [this](HotkeyCode code) { return specialHolds(code, 0); });
    UnregisterHotKey(nullptr, id + HotkeyIdDesktopBase);
    edit.DoModal();
    desktops.saveDesktops();
    FillDesktopList();
    changed = true;
}

void OptionsDialog::OnDeleteDesktop()
{
    int id = selectedDesktop();
    if (id == 0)
        messages.noticeBox(messages.text(MsgSelectDesktopToDelete));
    else if (desktopList.GetItemCount() < 2)
        messages.noticeBox(messages.text(MsgCantDeleteLastDesktop));
    else if (!desktops.deleteDesktop(static_cast<DesktopId>(id)))
        messages.noticeBox(messages.text(MsgCantDeleteCurrentDesktop));
    else {
        changed = true;
        FillDesktopList();
    }
}

void OptionsDialog::OnBeginLabelEdit(NMHDR*, LRESULT* result)
{
    ::SendMessageA(desktopList.GetEditControl(), EM_LIMITTEXT, DesktopNameLength, 0);
    *result = 0;
}

// The list never keeps the typed text as a label by itself: a rename that the model accepts shows
// through the refill. A label edit cancelled with Escape renames nothing.
void OptionsDialog::OnEndLabelEdit(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (reinterpret_cast<NMLVDISPINFOA*>(header)->item.pszText == nullptr)
        return;
    int id = selectedDesktop();
    if (id == 0) {
        messages.noticeBox(messages.text(MsgSelectDesktopToRename));
        return;
    }
    char name[DesktopNameLength + 1] = {};
    ::GetWindowTextA(desktopList.GetEditControl(), name, sizeof name);
    if (name[0] == '\0')
        messages.noticeBox(messages.text(MsgTypeDesktopName));
    else if (!desktops.setName(static_cast<DesktopId>(id), name))
        messages.noticeBox(messages.text(MsgDesktopNameExists));
    else {
        changed = true;
        FillDesktopList();
    }
}

void OptionsDialog::OnClose()
{
    storeOptions();
    Default(WM_CLOSE, 0, 0);
}

// The hotkey control holding the focus has its hotkey off until the focus leaves it: it is settled
// first, so that what is stored is what is registered.
void OptionsDialog::storeOptions()
{
    settleHotkeys();
    settings.prevDesk = prevHotkey.code();
    settings.nextDesk = nextHotkey.code();
    settings.closeAll = closeAllHotkey.code();
    settings.noticeFlags = 0;
    if (tooltipCheck.GetCheck() == BST_CHECKED) {
        settings.noticeFlags = Settings::NoticeTooltip;
        if (alwaysCheck.GetCheck() == BST_CHECKED)
            settings.noticeFlags |= Settings::NoticeTooltipAlways;
    }
    if (trayNumberCheck.GetCheck() == BST_CHECKED)
        settings.noticeFlags |= Settings::NoticeTrayNumber;
    settings.autoStart = autoStartCheck.GetCheck() == BST_CHECKED ? 1 : 0;
    settings.save();
}

void OptionsDialog::settleHotkeys()
{
    for (SpecialHotkeyCtrl* control : specialHotkeys())
        control->settle();
}

// Enter and Escape end the dialog without storing the options, so the special hotkeys go back to
// the stored combinations too: the controls may have registered others when the focus left them.
void OptionsDialog::OnOK()
{
    restoreStoredHotkeys();
    CDialog::OnOK();
}

void OptionsDialog::OnCancel()
{
    restoreStoredHotkeys();
    CDialog::OnCancel();
}

void OptionsDialog::restoreStoredHotkeys()
{
    for (SpecialHotkeyCtrl* control : specialHotkeys())
        control->forget();
    settings.unregisterSpecialHotkeys();
    settings.registerSpecialHotkeys(Settings::Refusal::IsReported);
}

void OptionsDialog::OnPaint()
{
    if (!IsIconic(m_hWnd)) {
        Default(WM_PAINT, 0, 0);
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT client;
    GetClientRect(m_hWnd, &client);
    int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
    EndPaint(m_hWnd, &paint);
}
