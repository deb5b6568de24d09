#pragma once
#include "trapkit/TrapKitProtocol.h"

#include <deque>

class SystemMenuInjector;

// One report of the hook library, copied out of the shared record.
struct Notification {
    LONG code;
    HWND window;
    LONG param;
    int attempts;
};

// Copies a published report out of the record and empties the slot for the next writer. False
// when the slot is empty, still being written, or holds a code that means nothing here (that slot
// is emptied too).
bool takeNotification(SharedRecord& record, Notification* taken);

// The watcher thread's loop: it wakes on the event "new_window", gives a new window the system-menu
// items for the current desktop, and carries out a chosen item. The record is emptied the moment a
// report has been copied, before any work that may wait on a lock, and the reports wait in the
// watcher's own queue: writers in hooked programs never wait on the watcher's work, and a burst of
// new windows loses none.
class WindowWatcher {
public:
    WindowWatcher(SharedRecord& record, HANDLE newWindowEvent, HANDLE stopEvent, SystemMenuInjector& injector);

    // Returns when stopEvent is set, or when a wait fails.
    void run();

private:
    bool stopRequested() const;
    void collect();
    bool act(const Notification& notification);

    SharedRecord& record;
    HANDLE newWindowEvent;
    HANDLE stopEvent;
    SystemMenuInjector& injector;
    std::deque<Notification> queue;
    std::deque<Notification> retries; // new windows whose program was too busy to take the items
};
