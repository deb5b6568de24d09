#include "CSemaphore.h"

#include <algorithm>

CSemaphore::CSemaphore(LONG initialCount, LONG maximumCount)
    : m_hObject(CreateSemaphoreA(nullptr, initialCount, maximumCount, nullptr))
{
}

CSemaphore::~CSemaphore()
{
    if (m_hObject != nullptr)
        CloseHandle(m_hObject);
}

BOOL CSemaphore::Lock(DWORD timeout)
{
    if (abandoned)
        return FALSE;
    if (WaitForSingleObject(m_hObject, std::min(timeout, waitLimit)) == WAIT_OBJECT_0)
        return TRUE;
    if (waitLimit != INFINITE)
        abandoned = TRUE;
    return FALSE;
}

BOOL CSemaphore::Unlock()
{
    return ReleaseSemaphore(m_hObject, 1, nullptr);
}

void CSemaphore::BoundWaits(DWORD limitMs)
{
    waitLimit = limitMs;
}
