#include "TestSupport.h"

#include <cstdio>
#include <thread>

// Linked into a test program: a message box of this process (a fatal error no one would answer)
// ends the process at once, naming the box, instead of hanging until ctest's time limit.
static const bool watching = (std::thread([] {
    for (;;)
        if (HWND box = findMessageBox(GetCurrentProcessId(), 200)) {
            std::fprintf(stderr, "\nA message box appeared in the test: \"%s\" - \"%s\"\n", windowText(box).c_str(),
                         messageBoxText(box).c_str());
            std::fflush(nullptr);
            ExitProcess(3);
        }
}).detach(), true);
