#pragma once
#include <windows.h>

// An unnamed Windows semaphore, used as a non-recursive lock when its maximum count is 1.
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

    HANDLE m_hObject;

private:
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
