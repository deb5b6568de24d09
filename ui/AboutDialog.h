#pragma once
#include "framework/CDialog.h"
#include "framework/Controls.h"
#include "framework/MessageMap.h"

class MessageCatalog;

// The program's name, version, credits and thanks, in the current language although the template
// is English: the texts are set from the catalogue each time the dialog paints.
class AboutDialog : public CDialog {
public:
    explicit AboutDialog(const MessageCatalog& messages);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OnPaint();

    const MessageCatalog& messages;
    CStatic creditsText;
    CStatic versionText;
    CEdit thanksEdit;

    static const MessageMapEntry<AboutDialog> messageMap[];
};
