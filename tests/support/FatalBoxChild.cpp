// Shows the fatal error box in its own process, for the tests of how that box ends a process.
// usage: FatalBoxChild.exe LANGUAGE MARKER_FILE
#include "app/MessageCatalog.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {
char language[4];
std::string markerPath;

// Stands for the program's process-wide objects: its destructor runs only through a normal exit.
struct ProcessWideObject {
    ~ProcessWideObject()
    {
        HANDLE marker = CreateFileA(markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(marker);
    }
} processWideObject;
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    std::string(argv[1]).copy(language, sizeof language - 1);
    markerPath = argv[2];
    MessageCatalog messages{language};
    messages.fatalErrorBox(messages.text(MsgAlreadyRunning));
}
