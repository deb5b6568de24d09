#pragma once
#include "CWnd.h"

#include <commctrl.h>

// The thin wrappers of the standard controls that the dialogs bind with DDX_Control.

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, check); }
};

class CStatic : public CWnd {};

class CEdit : public CWnd {
public:
    void SetLimitText(UINT characters) { SendMessage(EM_LIMITTEXT, characters); }
};

class CHotKeyCtrl : public CWnd {
public:
    // The key in the low byte, HOTKEYF_* flags in the next one; 0 when the control shows no hotkey.
    WORD GetHotKey() const { return LOWORD(SendMessage(HKM_GETHOTKEY)); }
    void SetHotKey(WORD value) { SendMessage(HKM_SETHOTKEY, value); }
};

class CListCtrl : public CWnd {
public:
    void DeleteAllItems() { SendMessage(LVM_DELETEALLITEMS); }
    void DeleteColumn(int column) { SendMessage(LVM_DELETECOLUMN, column); }
    void InsertColumn(int column, const char* heading, int format, int width)
    {
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        info.fmt = format;
        info.cx = width;
        info.pszText = const_cast<char*>(heading);
        SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertItem(int index, const char* text)
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>(text);
        return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void SetItemText(int index, int subItem, const char* text)
    {
        LVITEMA item = {};
        item.iSubItem = subItem;
        item.pszText = const_cast<char*>(text);
        SendMessage(LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    }
    void SetItemData(int index, LPARAM data)
    {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        item.lParam = data;
        SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    LPARAM GetItemData(int index) const
    {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }
    int GetNextItem(int start, int flags) const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, start, flags)); }
    HWND GetEditControl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)); }
};
