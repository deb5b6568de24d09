// Shows the fatal error box in its own process, for the tests of how that box ends a process.
// usage: FatalBoxChild.exe LANGUAGE MARKER_FILE
#include "app/MessageCatalog.h"

#include <windows.h>

namespace {
char language[4];
const char* markerPath = "";

// Stands for the program's process-wide objects: its destructor runs only through a normal exit.
struct ProcessWideObject {
    ~ProcessWideObject() { CloseHandle(CreateFileA(markerPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)); }
} processWideObject;
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    lstrcpynA(language, argv[1], sizeof language);
    markerPath = argv[2];
    MessageCatalog messages{language};
    messages.fatalErrorBox(messages.text(MsgAlreadyRunning));
}
