#include "AboutDialog.h"

#include "app/MessageCatalog.h"
#include "res/resource.h"

const MessageMapEntry<AboutDialog> AboutDialog::messageMap[] = {
    mapMessage(WM_PAINT, &AboutDialog::OnPaint),
};

AboutDialog::AboutDialog(const MessageCatalog& messages) : CDialog(IDD_ABOUT), messages(messages) {}

void AboutDialog::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDC_CREDITS, creditsText);
    DDX_Control(exchange, IDC_VERSION, versionText);
    DDX_Control(exchange, IDC_THANKS, thanksEdit);
}

bool AboutDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return dispatchMessageMap(*this, messageMap, message, wParam, lParam, result);
}

void AboutDialog::OnPaint()
{
    PAINTSTRUCT paint;
    BeginPaint(m_hWnd, &paint);
    thanksEdit.SetWindowText(messages.text(MsgThanks));
    creditsText.SetWindowText(messages.text(MsgCredits));
    versionText.SetWindowText(messages.text(MsgNameAndVersion));
    SetWindowText(messages.text(MsgAboutCaption));
    EndPaint(m_hWnd, &paint);
}
