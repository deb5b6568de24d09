#pragma once
#include <windows.h>

// A worker thread owned by an object: the thread runs the object's Run.
class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread(); // closes the thread's handle; the thread itself is not stopped
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread with default flags, stack size and security; false when it cannot be made.
    BOOL CreateThread();
    // True when the thread has ended within timeoutMs (or was never started).
    bool WaitForEnd(DWORD timeoutMs) const;

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;

protected:
    virtual int Run() = 0;

private:
    static DWORD WINAPI threadStart(void* self);
};
