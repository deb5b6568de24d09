#pragma once
#include "JournalFile.h"

#include <vector>

// The windows that the program has hidden, kept so that they come back when the process dies
// without its clean exit: the crash filter shows the ones kept in memory, and the next start shows
// the ones in the file that a killed instance left. Changed only under the desktops' lock; the
// crash filter reads it without the lock, from whichever thread faulted.
class HiddenWindowJournal {
public:
    // At start-up, once this is the only instance: shows the windows that a dead instance left
    // hidden, each only if it is still the window that was hidden, and clears the file. No file is
    // touched before, so a second instance, refused at start, leaves the first one's file alone.
    void takeOver();
    // The windows hidden now, or about to be, in place of the set recorded before. The file is
    // written only when the set has changed.
    void record(const std::vector<JournalEntry>& windows);
    // At the clean exit, once every window has been shown.
    void clear();
    // The crash filter's part: no lock, no allocation, and ShowWindowAsync, which never waits for
    // the window's thread.
    void showRecordedWindows() const;

private:
    struct Set {
        int count = 0;
        JournalEntry entries[JournalCapacity];
    };

    const Set& recorded() const { return sets[published]; }
    // False, with nothing changed, when the windows are the ones recorded already.
    bool replaceWith(const std::vector<JournalEntry>& windows);

    // A new set is made in the spare one and then published by one exchange, so that the crash
    // filter never reads a set that is half made.
    Set sets[2];
    volatile LONG published = 0;
    JournalFile file;
};
