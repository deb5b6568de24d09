#pragma once
#include <windows.h>

// A semaphore, used as a non-recursive lock when its maximum count is 1. The count is kept in this
// process's memory and the system's semaphore is waited on only when the count is spent, so a
// lock that nobody else holds costs no call into the system.
class CSemaphore {
public:
    explicit CSemaphore(LONG initialCount = 1, LONG maximumCount = 1);
    ~CSemaphore();
    CSemaphore(const CSemaphore&) = delete;
    CSemaphore& operator=(const CSemaphore&) = delete;

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();

    // From now on no wait is longer than limitMs, and once a wait has failed the semaphore is
    // passed over at once. At process exit a lock may never come free again: a fatal error inside a
    // locked operation leaves it taken by the exiting thread itself.
    void BoundWaits(DWORD limitMs);

private:
    // Signalled once for each waiter that a release hands the count to.
    HANDLE m_hObject;
    bool withdrawWait();

    // What is free, less the threads waiting: below 0, that many wait on m_hObject.
    volatile LONG count;
    const LONG maximum;
    DWORD waitLimit = INFINITE;
    volatile LONG abandoned = FALSE;
};

// Holds a semaphore for the lifetime of a scope, if it could be had.
class CSingleLock {
public:
    explicit CSingleLock(CSemaphore& semaphore) : semaphore(semaphore), locked(semaphore.Lock()) {}
    ~CSingleLock()
    {
        if (locked)
            semaphore.Unlock();
    }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL IsLocked() const { return locked; }

private:
    CSemaphore& semaphore;
    BOOL locked;
};
