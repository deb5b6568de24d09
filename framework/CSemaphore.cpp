#include "CSemaphore.h"

#include <algorithm>

CSemaphore::CSemaphore(LONG initialCount, LONG maximumCount)
    : m_hObject(CreateSemaphoreA(nullptr, 0, maximumCount, nullptr)), count(initialCount), maximum(maximumCount)
{
}

CSemaphore::~CSemaphore()
{
    if (m_hObject != nullptr)
        CloseHandle(m_hObject);
}

BOOL CSemaphore::Lock(DWORD timeout)
{
    if (abandoned || m_hObject == nullptr)
        return FALSE;
    if (InterlockedDecrement(&count) >= 0)
        return TRUE;
    if (WaitForSingleObject(m_hObject, std::min(timeout, waitLimit)) == WAIT_OBJECT_0 || !withdrawWait())
        return TRUE;
    if (waitLimit != INFINITE)
        abandoned = TRUE;
    return FALSE;
}

// A wait that timed out takes its place in the count back, unless a release has already handed
// the count to it: then the system's semaphore is being signalled for it, and it takes that.
bool CSemaphore::withdrawWait()
{
    for (;;) {
        LONG seen = count;
        if (seen >= 0) {
            WaitForSingleObject(m_hObject, INFINITE);
            return false;
        }
        if (InterlockedCompareExchange(&count, seen + 1, seen) == seen)
            return true;
    }
}

BOOL CSemaphore::Unlock()
{
    for (;;) {
        LONG seen = count;
        if (seen >= maximum)
            return FALSE;
        if (InterlockedCompareExchange(&count, seen + 1, seen) == seen)
            return seen >= 0 || ReleaseSemaphore(m_hObject, 1, nullptr);
    }
}

void CSemaphore::BoundWaits(DWORD limitMs)
{
    waitLimit = limitMs;
}
