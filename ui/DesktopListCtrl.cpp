#include "DesktopListCtrl.h"

const MessageMapEntry<DesktopListCtrl> DesktopListCtrl::messageMap[] = {
    mapNotifyReflect(NM_CUSTOMDRAW, &DesktopListCtrl::OnCustomDraw),
};

bool DesktopListCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return dispatchMessageMap(*this, messageMap, message, wParam, lParam, result);
}

void DesktopListCtrl::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    *result = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        *result = CDRF_NOTIFYITEMDRAW;
    else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && GetItemData(static_cast<int>(draw->nmcd.dwItemSpec)) == CurrentRowMark)
        draw->clrText = RGB(0, 0, 160);
}
