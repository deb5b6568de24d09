#include "CrashFilter.h"

#include "desktops/HiddenWindowJournal.h"

namespace {
// The system calls the filter with nothing but the fault, and a process has one filter.
const HiddenWindowJournal* watchedJournal = nullptr;

// Runs on the faulting thread while the others go on, possibly holding any lock of the process,
// the heap's included: hence no lock and no allocation here.
LONG WINAPI showHiddenWindowsAndEnd(EXCEPTION_POINTERS*)
{
    if (watchedJournal != nullptr)
        watchedJournal->showRecordedWindows();
    return EXCEPTION_EXECUTE_HANDLER;
}
}

CrashFilter::CrashFilter(const HiddenWindowJournal& journal)
{
    watchedJournal = &journal;
    previous = SetUnhandledExceptionFilter(showHiddenWindowsAndEnd);
}

CrashFilter::~CrashFilter()
{
    SetUnhandledExceptionFilter(previous);
    watchedJournal = nullptr;
}
