#pragma once
#include "framework/Controls.h"
#include "framework/MessageMap.h"

// The options dialog's list of desktops, row r showing desktop r + 1. The row whose item data is 1,
// the current desktop's, is drawn in dark blue.
class DesktopListCtrl : public CListCtrl {
public:
    static constexpr LPARAM CurrentRowMark = 1;

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OnCustomDraw(NMHDR* header, LRESULT* result);

    static const MessageMapEntry<DesktopListCtrl> messageMap[];
};
