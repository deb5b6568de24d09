#include "WindowRequests.h"

namespace {
// Long enough for a busy application, short enough that a hung one costs little. Once the system
// has marked a window as hung, IsHungAppWindow answers at once.
const UINT AnswerLimitMs = 200;
// How often the close request checks on the application while it waits for the answer.
const DWORD CloseWaitSliceMs = 100;

// The close request that is awaited now. Only the user-interface thread asks windows to close, and
// a reply that comes after its request was given up carries an older serial and is ignored.
struct CloseRequest {
    ULONG_PTR serial = 0;
    bool answered = false;
    LRESULT answer = 0;
};
CloseRequest awaited;

void CALLBACK receiveCloseAnswer(HWND, UINT, ULONG_PTR serial, LRESULT answer)
{
    if (serial != awaited.serial)
        return;
    awaited.answered = true;
    awaited.answer = answer;
}

// Runs the reply callbacks (and messages that other threads send to ours) without touching the
// posted messages, which stay queued for the main loop.
void waitForReplies()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, CloseWaitSliceMs, QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
}

bool answersMessages(HWND window)
{
    if (IsHungAppWindow(window))
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, AnswerLimitMs, &result) != 0;
}

void showWindowWithoutBlocking(HWND window, int command)
{
    if (answersMessages(window))
        ShowWindow(window, command);
    else
        ShowWindowAsync(window, command);
}

CloseAnswer askWindowToClose(HWND window)
{
    if (!answersMessages(window))
        return CloseAnswer::NoAnswer;

    static ULONG_PTR lastSerial = 0;
    awaited = CloseRequest{++lastSerial, false, 0};
    // A window that is already gone answers 0, as SendMessage to it would.
    if (!SendMessageCallbackA(window, WM_CLOSE, 0, 0, receiveCloseAnswer, awaited.serial))
        return CloseAnswer::Handled;

    while (!awaited.answered) {
        if (!IsWindow(window))
            return CloseAnswer::Handled;
        if (IsHungAppWindow(window))
            return CloseAnswer::NoAnswer;
        waitForReplies();
    }
    return awaited.answer == 0 ? CloseAnswer::Handled : CloseAnswer::Refused;
}
