#include "WindowWatcher.h"

#include "SystemMenuInjector.h"
#include "desktops/LockedDesktops.h"

bool takeNotification(SharedRecord& record, Notification* taken)
{
    LONG code = record.code;
    if (code == RecordEmpty || code == RecordBeingWritten)
        return false;
    // The writer filled in the fields before it published the code.
    MemoryBarrier();
    *taken = Notification{code, reinterpret_cast<HWND>(static_cast<UINT_PTR>(record.window)), record.param};
    record.window = 0;
    record.param = 0;
    InterlockedExchange(&record.code, RecordEmpty);
    return code == RecordWindowCreated || code == RecordSysCommand;
}

WindowWatcher::WindowWatcher(SharedRecord& record, HANDLE newWindowEvent, HANDLE stopEvent,
                             LockedDesktops& desktops, SystemMenuInjector& injector)
    : record(record), newWindowEvent(newWindowEvent), stopEvent(stopEvent), desktops(desktops), injector(injector)
{
}

void WindowWatcher::run()
{
    // The stop event comes first, so that a stop is seen even while reports keep coming.
    HANDLE events[] = {stopEvent, newWindowEvent};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        collect();
        while (!queue.empty() && !stopRequested()) {
            Notification next = queue.front();
            queue.pop_front();
            act(next);
            // A writer waiting for the slot gets it before the next piece of work.
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

void WindowWatcher::act(const Notification& notification)
{
    if (notification.code == RecordWindowCreated)
        injector.injectInto(notification.window, desktops.currentId(), false);
    else if (notification.code == RecordSysCommand)
        injector.onSystemCommand(notification.window, notification.param);
}
