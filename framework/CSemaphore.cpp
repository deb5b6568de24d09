#include "CSemaphore.h"

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
    return WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0;
}

BOOL CSemaphore::Unlock()
{
    return ReleaseSemaphore(m_hObject, 1, nullptr);
}
