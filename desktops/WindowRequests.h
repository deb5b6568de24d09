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

// Which threads of a set of windows answer, asked once per thread and all at once: one request to
// one window of each thread, then one short wait for every reply. A switch asks this once instead
// of once per window, and a hung thread costs it the one short wait, however many windows it has.
class ThreadAnswers {
public:
    explicit ThreadAnswers(const std::vector<WindowEntry>& windows);
    // A window of a thread that was not asked is asked now, alone.
    bool answers(HWND window) const;
    // ShowWindow where the thread answers, ShowWindowAsync where it does not.
    void show(HWND window, int command) const;
    bool allAnswered() const;

private:
    std::map<DWORD, bool> threads; // thread id: answered in time
    std::map<HWND, DWORD> threadOf; // the windows asked about: their thread
};

enum class CloseAnswer {
    Handled,   // the window answered 0: it has closed, or it declined and is still there
    Refused,   // the window answered anything else
    NoAnswer,  // the window's thread does not answer, or stopped answering while asked
};

// Sends WM_CLOSE and waits for the answer as long as the application keeps answering messages,
// however long its user takes to answer a question such as "Save changes?".
CloseAnswer askWindowToClose(HWND window);
