#include "WindowRequests.h"

#include <algorithm>

namespace {
// Long enough for a busy application, short enough that a hung one costs little. Once the system
// has marked a window as hung, IsHungAppWindow answers at once.
const UINT AnswerLimitMs = 200;
// How often the close request checks on the application while it waits for the answer.
const DWORD CloseWaitSliceMs = 100;
// How long a switch waits for every thread to answer at once: a thread still busy after it gets its
// windows shown and hidden without waiting, as a hung one does. It is all that a hung program
// costs a switch.
const DWORD AllThreadsLimitMs = 50;

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

// The question to all threads that is awaited now. Its serial is in the high half of each reply's
// data, so that a late reply to an earlier question is ignored; the thread's index in the low half.
struct AllThreadsQuestion {
    ULONG_PTR serial = 0;
    std::vector<char>* answered = nullptr;
};
AllThreadsQuestion question;

// ShowWindow for a window that answers, so that order and activation happen now.
void showAs(HWND window, int command, bool answers)
{
    if (answers)
        ShowWindow(window, command);
    else
        ShowWindowAsync(window, command);
}

void CALLBACK receiveThreadAnswer(HWND, UINT, ULONG_PTR data, LRESULT)
{
    size_t index = data & 0xFFFF;
    if ((data >> 16) == question.serial && question.answered != nullptr && index < question.answered->size())
        (*question.answered)[index] = 1;
}
}

// Every thread gets the question first, so that all of them answer at the same time; then each is
// awaited in turn within what is left of the one limit. The waits are SendMessageTimeout's, which
// run the other threads' reply callbacks meanwhile and, unlike a wait on the message queue, do not
// tell the system that this program is idle.
ThreadAnswers::ThreadAnswers(const std::vector<WindowEntry>& windows)
{
    std::vector<HWND> asked;
    std::vector<DWORD> askedThreads;
    for (const WindowEntry& window : windows) {
        threadOf[window.hwnd] = window.threadId;
        if (window.threadId != 0 && threads.emplace(window.threadId, false).second && asked.size() < 0x10000) {
            asked.push_back(window.hwnd);
            askedThreads.push_back(window.threadId);
        }
    }
    std::vector<char> answered(asked.size(), 0);
    std::vector<char> questioned(asked.size(), 0);
    static ULONG_PTR lastSerial = 0;
    question = AllThreadsQuestion{++lastSerial & 0xFFFF, &answered};
    for (size_t index = 0; index < asked.size(); ++index) {
        ULONG_PTR data = (question.serial << 16) | index;
        questioned[index] = !IsHungAppWindow(asked[index]) &&
                            SendMessageCallbackA(asked[index], WM_NULL, 0, 0, receiveThreadAnswer, data);
    }
    DWORD start = GetTickCount();
    for (size_t index = 0; index < asked.size(); ++index) {
        DWORD waited = GetTickCount() - start;
        if (answered[index] || !questioned[index] || waited >= AllThreadsLimitMs)
            continue;
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutA(asked[index], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, AllThreadsLimitMs - waited, &ignored))
            answered[index] = 1;
    }
    question.answered = nullptr;
    for (size_t index = 0; index < asked.size(); ++index)
        threads[askedThreads[index]] = answered[index] != 0;
}

bool ThreadAnswers::answers(HWND window) const
{
    auto known = threadOf.find(window);
    auto found = known != threadOf.end() ? threads.find(known->second) : threads.end();
    return found != threads.end() ? found->second : answersMessages(window);
}

bool ThreadAnswers::allAnswered() const
{
    return std::all_of(threads.begin(), threads.end(), [](const auto& thread) { return thread.second; });
}

void ThreadAnswers::show(HWND window, int command) const
{
    showAs(window, command, answers(window));
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
    showAs(window, command, answersMessages(window));
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
