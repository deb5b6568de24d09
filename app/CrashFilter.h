#pragma once
#include <windows.h>

class HiddenWindowJournal;

// While it lives, a fault that nothing handles shows every window that the program has hidden and
// then ends the process at once. Left to the system, a fault either ends the process with the
// windows still hidden or holds it, and them, behind a crash dialog until the user answers.
class CrashFilter {
public:
    explicit CrashFilter(const HiddenWindowJournal& journal);
    ~CrashFilter();
    CrashFilter(const CrashFilter&) = delete;
    CrashFilter& operator=(const CrashFilter&) = delete;

private:
    LPTOP_LEVEL_EXCEPTION_FILTER previous;
};
