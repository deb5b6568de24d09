#pragma once
// What Lumenfold and its hook library TrapKit.dll share: the notification record, the event that
// announces it, and the menu requests through which Lumenfold edits a system menu from inside the
// window's own process. Both sides are built from this one header.
#include <windows.h>

// ---- Notifications: the library writes, Lumenfold's watcher reads ----------------------------

// One slot in the paging-file mapping "Share". Writers in many processes claim the slot by
// swapping code from RecordEmpty to RecordBeingWritten, fill in window and param, then publish the
// code and signal the event. The watcher copies a published record and empties the slot at once.
struct SharedRecord {
    volatile LONG code;
    DWORD window; // the 32-bit window handle
    LONG param;   // the chosen command id, for RecordSysCommand
};
static_assert(sizeof(SharedRecord) == 12, "the record's layout is fixed");

constexpr LONG RecordEmpty = 0;
constexpr LONG RecordWindowCreated = 1;
constexpr LONG RecordSysCommand = 274; // WM_SYSCOMMAND
constexpr LONG RecordBeingWritten = -1;

constexpr char SharedRecordName[] = "Share";
constexpr char NewWindowEventName[] = "new_window";

// ---- The program's system-menu items ---------------------------------------------------------

constexpr UINT OnAllDesktopsCmd = 1124; // "on all desktops", checked while the window is on all
constexpr UINT SendToCmdBase = 1824;    // "send to" desktop n has the command SendToCmdBase + n
constexpr int MaxDesktops = 99;
constexpr UINT SendToCmdLast = SendToCmdBase + MaxDesktops;

inline bool isProgramMenuCommand(UINT id)
{
    return id == OnAllDesktopsCmd || (id > SendToCmdBase && id <= SendToCmdLast);
}

// What the items of one window are made of: the texts in the current language, and the "send to"
// entries already chosen (every desktop but the one the items are made for).
struct MenuItemsRecipe {
    LONG marked; // "on all desktops" with its check mark, and no "send to"
    LONG entryCount;
    char onAllDesktopsText[64];
    char sendToText[64];
    struct Entry {
        UINT id;
        char name[16];
    } entries[MaxDesktops];
};

// ---- Menu requests: Lumenfold asks, the library acts in the window's own thread --------------

// Menus belong to their process on some systems, so a system menu of another process's window
// cannot always be edited from outside. Lumenfold then writes a request into the mapping
// "LumenfoldMenuRequest" and sends the window the registered message of the same name with the
// request's serial in wParam and 0 in lParam; the library's hook carries it out before the window
// procedure sees the message and writes the reply with the same serial.
constexpr char MenuRequestMappingName[] = "LumenfoldMenuRequest";
constexpr char MenuRequestMessageName[] = "LumenfoldMenuRequest";

enum MenuOperation : LONG {
    ReadMark = 1,    // result: a MenuResult
    AddItems = 2,    // recipe used; result: a MenuResult
    RemoveItems = 3, // recipe.sendToText used; result: a MenuResult
};

enum MenuResult : LONG {
    NoSystemMenu = 0,
    NotMarked = 1,     // ReadMark: no item, or not exactly checked
    Marked = 2,        // ReadMark: the item carries the check mark and nothing else
    AlreadyThere = 3,  // AddItems: the window had the items already, nothing changed
    Done = 4,          // AddItems, RemoveItems, and a thread's marks listed
    Unreached = 5,     // Lumenfold's side: the window did not answer, or nothing in it served the request
};

// A request that timed out may still be served late, while Lumenfold writes the next one. So the
// serial is 0 while a request is being written, the server works on a copy that it checks against
// the serial once more, and the reply is one value: serial and result together.
struct MenuRequestBlock {
    volatile LONG requestSerial;
    LONG operation;
    DWORD window;
    MenuItemsRecipe recipe;
    volatile LONG reply;
};

// A switch asks every thread with windows on the screen or on the desktop to be shown for its
// windows on all desktops, all threads at once. Each question has a slot of its own in the mapping
// "LumenfoldThreadMarks"; the request message carries the question's serial in wParam and the
// slot's number (from 1) in lParam. The library lists every top-level window of its thread whose
// item carries the mark, then writes the slot's reply.
constexpr char ThreadMarksMappingName[] = "LumenfoldThreadMarks";
// More threads with windows on the two desktops of a switch, and more windows of one thread on
// all desktops, than anyone has: beyond them, windows count as unmarked.
constexpr int ThreadMarksSlots = 256;
constexpr LONG ThreadMarksLimit = 64;

struct ThreadMarksSlot {
    volatile LONG requestSerial; // 0 while Lumenfold writes the question
    DWORD window;                // the window the question was sent to
    volatile LONG reply;         // replyFor(requestSerial, Done), written once the list is complete
    LONG markedCount;
    DWORD marked[ThreadMarksLimit];
};

struct ThreadMarksBlock {
    ThreadMarksSlot slots[ThreadMarksSlots];
};

constexpr LONG ResultBits = 3; // every MenuResult is below 8

inline LONG replyFor(LONG serial, MenuResult result)
{
    return (serial << ResultBits) | result;
}
