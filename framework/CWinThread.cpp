#include "CWinThread.h"

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread()
{
    m_hThread = ::CreateThread(nullptr, 0, threadStart, this, 0, &m_nThreadID);
    return m_hThread != nullptr;
}

bool CWinThread::WaitForEnd(DWORD timeoutMs) const
{
    return m_hThread == nullptr || WaitForSingleObject(m_hThread, timeoutMs) == WAIT_OBJECT_0;
}

DWORD WINAPI CWinThread::threadStart(void* self)
{
    return static_cast<DWORD>(static_cast<CWinThread*>(self)->Run());
}
