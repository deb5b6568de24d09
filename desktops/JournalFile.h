#pragma once
#include "framework/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

// One hidden window as the journal keeps it. A handle is reused once its window has gone, so the
// ids of the process and thread that owned the window go with it.
struct JournalEntry {
    DWORD window;
    DWORD processId;
    DWORD threadId;
};

// More windows than a user hides; the journal keeps the first ones of a larger set.
constexpr int JournalCapacity = 4096;

// The journal's file, "hidden-windows.journal" in a "Lumenfold" folder of the user's local
// application data. A file that cannot be read or fails its checks counts as no file, and a
// failed write is ignored: the journal only ever helps, it never stops the program.
class JournalFile {
public:
    // Finds the folder, making it on the first run. Until then the file is neither read nor written.
    void locate();
    std::vector<JournalEntry> read() const;
    // The whole set replaces the last one at once: a process killed meanwhile leaves one or the other.
    void write(const JournalEntry* entries, int count);
    void remove();

private:
    std::string path; // empty until located
    // Kept open from the first write, so that a write is one call into the system.
    UniqueHandle file;
    DWORD lastSerial = 0;
};
