#include "CDialog.h"

namespace {
// The innermost dialog running its modal loop on this thread: the owner of a dialog opened from it.
thread_local CDialog* innermostModal = nullptr;
}

void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control)
{
    control.SubclassWindow(GetDlgItem(exchange->dialog, controlId));
}

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId(templateId), parent(parent) {}

INT_PTR CDialog::DoModal()
{
    HWND owner = parent != nullptr ? parent->m_hWnd : innermostModal != nullptr ? innermostModal->m_hWnd : nullptr;
    ended = false;
    modalResult = IDCANCEL;
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, dialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (window == nullptr)
        return -1;

    CDialog* outer = innermostModal;
    innermostModal = this;
    if (owner != nullptr)
        ::EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    runModalLoop();
    // The owner is enabled before the dialog goes, so that the system gives it the activation back.
    if (owner != nullptr)
        ::EnableWindow(owner, TRUE);
    innermostModal = outer;
    ::DestroyWindow(window);
    return modalResult;
}

// The loop notices the end at its next message: one is posted, since a message sent from another
// thread is handled inside GetMessage without returning from it.
void CDialog::EndDialog(int result)
{
    modalResult = result;
    ended = true;
    PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::runModalLoop()
{
    MSG message;
    while (!ended) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // The quit message belongs to the main loop: put it back and end the dialog.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        bool ours = message.hwnd == m_hWnd || IsChild(m_hWnd, message.hwnd);
        if (ours && PreTranslateMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* message)
{
    return IsDialogMessageA(m_hWnd, message);
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange exchange{m_hWnd};
    DoDataExchange(&exchange);
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (message == WM_NOTIFY && reflectNotify(lParam, &result))
        return result;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        break;
    }
    return Default(message, wParam, lParam);
}

bool CDialog::reflectNotify(LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    CWnd* control = FromHandlePermanent(header->hwndFrom);
    if (control == nullptr || control == this || GetParent(header->hwndFrom) != m_hWnd)
        return false;
    return control->OnChildNotify(lParam, result);
}

LRESULT CDialog::Default(UINT, WPARAM, LPARAM)
{
    wantsDefault = true;
    return 0;
}

// The dialog manager's procedure answers TRUE for a message it handled, with the message's result
// in DWLP_MSGRESULT; WM_INITDIALOG's result (whether to set the focus) is returned directly.
INT_PTR CALLBACK CDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = static_cast<CDialog*>(FromHandlePermanent(window));
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->m_hWnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
    }
    if (dialog == nullptr)
        return FALSE;

    bool outerWantsDefault = dialog->wantsDefault; // a handler may send messages back to its own dialog
    dialog->wantsDefault = false;
    LRESULT result = dialog->WindowProc(message, wParam, lParam);
    bool handled = !dialog->wantsDefault;
    dialog->wantsDefault = outerWantsDefault;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        dialog->m_hWnd = nullptr;
    }
    if (!handled)
        return FALSE;
    if (message == WM_INITDIALOG)
        return result;
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}
