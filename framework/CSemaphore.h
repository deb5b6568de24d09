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

    HANDLE m_hObject;
};

// Holds a semaphore for the lifetime of a scope.
class CSingleLock {
public:
    explicit CSingleLock(CSemaphore& semaphore) : semaphore(semaphore) { semaphore.Lock(); }
    ~CSingleLock() { semaphore.Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

private:
    CSemaphore& semaphore;
};
