#pragma once
#include "CWnd.h"

// What DoDataExchange works on: the dialog whose controls are being bound.
struct CDataExchange {
    HWND dialog;
};

// Binds a control of the dialog to its wrapper object: from then on the control's messages pass
// through the wrapper.
void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control);

// A modal dialog made from a template in the program's resources. DoModal runs the dialog's own
// message loop, which offers every message for the dialog and its controls to PreTranslateMessage
// before the dialog manager (IsDialogMessage) and the window procedure see it.
class CDialog : public CWnd {
public:
    // With no parent the dialog is owned by the innermost dialog that is running on this thread,
    // if any, and that one is disabled while this one is open.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // IDOK or IDCANCEL as the dialog ended, or -1 when it could not be made.
    INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL PreTranslateMessage(MSG* message);

protected:
    virtual BOOL OnInitDialog(); // binds the controls
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // For a dialog the default processing is the dialog manager's: the dialog procedure answers
    // FALSE.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void runModalLoop();
    bool reflectNotify(LPARAM lParam, LRESULT* result);

    UINT templateId;
    CWnd* parent;
    bool ended = false;
    INT_PTR modalResult = IDCANCEL;
    bool wantsDefault = false;
};
