#include "HiddenWindowJournal.h"

#include <cstring>

namespace {
HWND windowOf(const JournalEntry& entry)
{
    return static_cast<HWND>(ULongToHandle(entry.window));
}

// A window that has gone answers thread id 0; one whose handle now belongs to another program's
// window answers other ids.
bool stillTheSameWindow(const JournalEntry& entry)
{
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(windowOf(entry), &processId);
    return threadId != 0 && threadId == entry.threadId && processId == entry.processId;
}

// Shown without activation: these windows belong to other programs, whose threads show them each
// at its own pace, so no order of showing could decide which one ends up active.
void showIfStillThere(const JournalEntry& entry)
{
    if (stillTheSameWindow(entry))
        ShowWindowAsync(windowOf(entry), SW_SHOWNA);
}
}

void HiddenWindowJournal::takeOver()
{
    file.locate();
    for (const JournalEntry& entry : file.read())
        showIfStillThere(entry);
    file.remove();
}

void HiddenWindowJournal::record(const std::vector<JournalEntry>& windows)
{
    if (replaceWith(windows))
        file.write(recorded().entries, recorded().count);
}

void HiddenWindowJournal::clear()
{
    replaceWith({});
    file.remove();
}

void HiddenWindowJournal::showRecordedWindows() const
{
    const Set& set = recorded();
    for (int i = 0; i < set.count && i < JournalCapacity; ++i)
        showIfStillThere(set.entries[i]);
}

bool HiddenWindowJournal::replaceWith(const std::vector<JournalEntry>& windows)
{
    LONG spare = 1 - published;
    Set& next = sets[spare];
    next.count = 0;
    for (size_t i = 0; i < windows.size() && next.count < JournalCapacity; ++i)
        next.entries[next.count++] = windows[i];
    const Set& now = recorded();
    if (next.count == now.count && std::memcmp(next.entries, now.entries, now.count * sizeof(JournalEntry)) == 0)
        return false;
    InterlockedExchange(&published, spare);
    return true;
}
