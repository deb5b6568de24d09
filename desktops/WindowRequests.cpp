#include "WindowRequests.h"

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
// A live thread answers within a few milliseconds. One that has not by then has its windows left
// until the others' have changed, so that a thread that has just hung does not hold them up.
const DWORD SoonLimitMs = 10;

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

// Runs the reply callbacks that have come (and messages that other threads send to ours) without
// touching the posted messages, which stay queued for the main loop.
void takeArrivedReplies()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void waitForReplies()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, CloseWaitSliceMs, QS_SENDMESSAGE);
    takeArrivedReplies();
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

// In milliseconds, finer than GetTickCount's steps of up to 16 ms on Windows.
double nowMs()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}
}

// Every thread gets the question first, so that all of them answer at the same time.
ThreadAnswers::ThreadAnswers(const std::vector<WindowEntry>& windows, const EarlierQuestion* earlier)
    : earlier(earlier)
{
    for (const WindowEntry& window : windows) {
        threadOf[window.hwnd] = window.threadId;
        if (window.threadId != 0 && askedWindow.size() < 0x10000 &&
            threadIndex.emplace(window.threadId, askedWindow.size()).second) {
            askedWindow.push_back(window.hwnd);
            askedThread.push_back(window.threadId);
        }
    }
    questioned.assign(askedWindow.size(), 0);
    answered.assign(askedWindow.size(), 0);
    settled.assign(askedWindow.size(), 0);
    late.assign(askedWindow.size(), 0);
    static ULONG_PTR lastSerial = 0;
    question = AllThreadsQuestion{++lastSerial & 0xFFFF, &answered};
    for (size_t index = 0; index < askedWindow.size(); ++index) {
        ULONG_PTR data = (question.serial << 16) | index;
        questioned[index] = (earlier != nullptr && earlier->sentTo(askedThread[index])) ||
                            (!IsHungAppWindow(askedWindow[index]) &&
                             SendMessageCallbackA(askedWindow[index], WM_NULL, 0, 0, receiveThreadAnswer, data));
    }
    start = nowMs();
}

ThreadAnswers::~ThreadAnswers()
{
    if (question.answered == &answered)
        question.answered = nullptr;
}

// A reply that has come already is taken first: it saves a round trip to the thread. The wait is
// SendMessageTimeout's, which runs the other threads' reply callbacks meanwhile and, unlike a wait
// on the message queue, does not tell the system that this program is idle. A thread handles the
// messages sent to it in order, so once it answers this one it has answered the earlier question
// too. Once the limit is spent, only the replies that have already come count.
// The answer stands once it has come, or once the whole limit is spent without it; a thread that
// has missed the short limit stays late for the rest of the operation.
bool ThreadAnswers::awaitThread(size_t index, DWORD limitMs)
{
    if (settled[index] || !questioned[index])
        return answered[index] != 0;
    if (limitMs == SoonLimitMs && late[index])
        return false;
    if (!hasAnswered(index))
        takeArrivedReplies();
    double waited = nowMs() - start;
    if (!hasAnswered(index) && waited < limitMs) {
        DWORD_PTR ignored = 0;
        DWORD left = static_cast<DWORD>(limitMs - waited) + 1;
        if (SendMessageTimeoutA(askedWindow[index], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, left, &ignored))
            answered[index] = 1;
    }
    answered[index] = hasAnswered(index);
    settled[index] = answered[index] || limitMs == AllThreadsLimitMs;
    late[index] = !answered[index];
    return answered[index] != 0;
}

bool ThreadAnswers::hasAnswered(size_t index) const
{
    return answered[index] || (earlier != nullptr && earlier->answeredBy(askedThread[index]));
}

const size_t* ThreadAnswers::indexOf(HWND window) const
{
    auto known = threadOf.find(window);
    auto thread = known != threadOf.end() ? threadIndex.find(known->second) : threadIndex.end();
    return thread != threadIndex.end() ? &thread->second : nullptr;
}

bool ThreadAnswers::answers(HWND window)
{
    const size_t* index = indexOf(window);
    return index != nullptr ? awaitThread(*index, AllThreadsLimitMs) : answersMessages(window);
}

bool ThreadAnswers::answersSoon(HWND window)
{
    const size_t* index = indexOf(window);
    return index == nullptr || awaitThread(*index, SoonLimitMs);
}

bool ThreadAnswers::allAnswered()
{
    bool all = true;
    for (size_t index = 0; index < askedWindow.size(); ++index)
        all = awaitThread(index, AllThreadsLimitMs) && all;
    return all;
}

void ThreadAnswers::show(HWND window, int command)
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
