#pragma once
#include "Desktop.h"

#include <windows.h>

#include <map>
#include <vector>

// Requests to the windows of other applications. ShowWindow and SendMessage on a window whose
// thread has stopped answering block the caller for as long as the hang lasts, which would stop
// every hotkey, the tray and the exit clean-up. These calls find out first whether the window
// answers, and never wait on one that does not.

// True when the window's thread answers within a short time.
bool answersMessages(HWND window);

// ShowWindow for a window that answers, so that order and activation happen now; ShowWindowAsync
// for one that does not, which takes effect when its thread runs again.
void showWindowWithoutBlocking(HWND window, int command);

// A question that some threads were sent just before, whose answer shows as well that the thread
// answers: those threads are not sent another.
class EarlierQuestion {
public:
    virtual bool sentTo(DWORD threadId) const = 0;
    virtual bool answeredBy(DWORD threadId) const = 0;

protected:
    ~EarlierQuestion() = default;
};

// Which threads of a set of windows answer, asked once per thread and all at once: one request to
// one window of each thread at the start, and each thread awaited only when one of its windows is
// first acted on, within what is left of one short limit from the start. So the waits overlap the
// work on the windows of the threads that answered first, and a hung thread costs at most the one
// short limit, however many windows it has.
class ThreadAnswers {
public:
    explicit ThreadAnswers(const std::vector<WindowEntry>& windows, const EarlierQuestion* earlier = nullptr);
    ~ThreadAnswers();
    ThreadAnswers(const ThreadAnswers&) = delete;
    ThreadAnswers& operator=(const ThreadAnswers&) = delete;

    // Waits for the window's thread within what is left of the limit. The answer stands for the
    // rest of the operation. A window of a thread that was not asked is asked now, alone.
    bool answers(HWND window);
    // False while the window's thread has not answered a few milliseconds after the question: a
    // live thread has by then. The window of a thread that was not asked counts as answering.
    bool answersSoon(HWND window);
    // ShowWindow where the thread answers, ShowWindowAsync where it does not.
    void show(HWND window, int command);
    bool allAnswered();

private:
    bool awaitThread(size_t index, DWORD limitMs);
    bool hasAnswered(size_t index) const;
    const size_t* indexOf(HWND window) const;

    std::map<DWORD, size_t> threadIndex; // thread id: its place in the vectors below
    std::map<HWND, DWORD> threadOf;      // the windows asked about: their thread
    std::vector<HWND> askedWindow;       // per thread: the window that took the question
    std::vector<DWORD> askedThread;
    std::vector<char> questioned;        // the question was sent
    std::vector<char> answered;          // written by the reply callback too
    std::vector<char> settled;           // the answer stands
    std::vector<char> late;              // not answered within the short limit
    const EarlierQuestion* earlier;
    double start = 0;                    // in ms, when the questions had gone
};

enum class CloseAnswer {
    Handled,   // the window answered 0: it has closed, or it declined and is still there
    Refused,   // the window answered anything else
    NoAnswer,  // the window's thread does not answer, or stopped answering while asked
};

// Sends WM_CLOSE and waits for the answer as long as the application keeps answering messages,
// however long its user takes to answer a question such as "Save changes?".
CloseAnswer askWindowToClose(HWND window);
