#include "WindowWatcher.h"

#include "SystemMenuInjector.h"

namespace {
// A program busy with a switch's many requests may not take a window's items at once: it is asked
// again a little later, for a few seconds.
const DWORD RetryAfterMs = 250;
const int MaxAttempts = 20;
// How often the watcher looks at the slot and its retries without being woken.
const DWORD SlotCheckEveryMs = 250;
}

bool takeNotification(SharedRecord& record, Notification* taken)
{
    LONG code = record.code;
    if (code == RecordEmpty || code == RecordBeingWritten)
        return false;
    // The writer filled in the fields before it published the code.
    MemoryBarrier();
    *taken = Notification{code, reinterpret_cast<HWND>(static_cast<UINT_PTR>(record.window)), record.param, 0};
    record.window = 0;
    record.param = 0;
    InterlockedExchange(&record.code, RecordEmpty);
    return code == RecordWindowCreated || code == RecordSysCommand;
}

WindowWatcher::WindowWatcher(SharedRecord& record, HANDLE newWindowEvent, HANDLE stopEvent,
                             SystemMenuInjector& injector)
    : record(record), newWindowEvent(newWindowEvent), stopEvent(stopEvent), injector(injector)
{
}

void WindowWatcher::run()
{
    // The stop event comes first, so that a stop is seen even while reports keep coming.
    HANDLE events[] = {stopEvent, newWindowEvent};
    DWORD retryDue = 0;
    bool halfWritten = false;
    for (;;) {
        DWORD woken = WaitForMultipleObjects(2, events, FALSE, SlotCheckEveryMs);
        if (woken != WAIT_TIMEOUT && woken != WAIT_OBJECT_0 + 1)
            return;
        // A writer that died between claiming the slot and publishing would block every other
        // writer for good: a slot still half-written a check later is emptied.
        bool stillHalfWritten = record.code == RecordBeingWritten;
        if (woken == WAIT_TIMEOUT && stillHalfWritten && halfWritten)
            InterlockedCompareExchange(&record.code, RecordEmpty, RecordBeingWritten);
        halfWritten = stillHalfWritten;
        if (!retries.empty() && static_cast<LONG>(GetTickCount() - retryDue) >= 0) {
            queue.insert(queue.end(), retries.begin(), retries.end());
            retries.clear();
        }
        collect();
        while (!queue.empty() && !stopRequested()) {
            Notification next = queue.front();
            queue.pop_front();
            if (!act(next) && ++next.attempts < MaxAttempts) {
                if (retries.empty())
                    retryDue = GetTickCount() + RetryAfterMs;
                retries.push_back(next);
            }
            // The slot is emptied again before the next piece of work.
            collect();
        }
    }
}

bool WindowWatcher::stopRequested() const
{
    return WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0;
}

void WindowWatcher::collect()
{
    Notification taken;
    if (takeNotification(record, &taken))
        queue.push_back(taken);
}

// False when a new window's program did not take its items in time.
bool WindowWatcher::act(const Notification& notification)
{
    if (notification.code == RecordWindowCreated)
        return injector.injectInto(notification.window, -1, false) != Unreached;
    if (notification.code == RecordSysCommand)
        injector.onSystemCommand(notification.window, notification.param);
    return true;
}
