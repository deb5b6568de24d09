#pragma once
#include "DesktopListCtrl.h"
#include "SpecialHotkeyCtrl.h"
#include "desktops/Desktop.h"
#include "framework/CDialog.h"

#include <array>

class LockedDesktops;
class MessageCatalog;
class Settings;

// The program's one window for editing: the desktops (added, edited, renamed in place and deleted,
// each change reaching the model and the registry at once) and the options, which reach Settings
// only when the dialog is closed. Its menu bar switches the language, opens About and terminates.
class OptionsDialog : public CDialog {
public:
    OptionsDialog(UINT templateId, LockedDesktops& desktops, Settings& settings, const MessageCatalog& messages);

    // Set by every edit of the desktops: the system menus' "send to" lists must be made again.
    bool changed = false;

    void SetupColumns();
    void FillDesktopList();
    void BuildMenuBar();
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OnPaint();
    void OnEditDesktop();
    void OnEndLabelEdit(NMHDR* header, LRESULT* result);
    void OnDeleteDesktop();
    void OnBeginLabelEdit(NMHDR* header, LRESULT* result);
    void OnAddDesktop();
    void OnClose();
    void OnDestroy();
    void OnTooltipCheck();

    // The desktop of the first selected row, or 0 when no row is selected.
    int selectedDesktop() const;
    void showOptions();
    void storeOptions();
    void runEditDialog(DesktopId id);
    std::array<SpecialHotkeyCtrl*, 3> specialHotkeys();
    void settleHotkeys();
    void restoreStoredHotkeys();
    // Whether a special hotkey, other than the one with exceptId, holds the combination: as stored,
    // or as its control shows it, registered.
    bool specialHolds(HotkeyCode code, int exceptId) const;

    LockedDesktops& desktops;
    Settings& settings;
    const MessageCatalog& messages;

    CButton trayNumberCheck;
    SpecialHotkeyCtrl closeAllHotkey;
    CButton editButton;
    CButton deleteButton;
    CButton addButton;
    CButton alwaysCheck;
    CButton autoStartCheck;
    CButton tooltipCheck;
    SpecialHotkeyCtrl nextHotkey;
    SpecialHotkeyCtrl prevHotkey;
    DesktopListCtrl desktopList;
    HICON icon;

    static const MessageMapEntry<OptionsDialog> messageMap[];
};
