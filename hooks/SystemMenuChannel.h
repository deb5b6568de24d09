#pragma once
#include "desktops/Desktop.h"
#include "desktops/WindowRequests.h"
#include "framework/CSemaphore.h"
#include "trapkit/TrapKitProtocol.h"

#include <vector>

// The threads asked for their marks: for each, its id, the window the question was sent to, and
// the question's slot and serial in the thread-marks mapping. The question is answered by every
// thread that answers messages, and served (its list written) where the hook library is loaded.
class ThreadMarksQuestion : public EarlierQuestion {
public:
    struct AskedThread {
        DWORD threadId;
        HWND window;
        int slot;
        LONG serial;
    };

    explicit ThreadMarksQuestion(const ThreadMarksBlock* answers = nullptr) : answers(answers) {}
    void add(const AskedThread& thread) { threads.push_back(thread); }
    size_t size() const { return threads.size(); }

    bool sentTo(DWORD threadId) const override { return find(threadId) != nullptr; }
    bool answeredBy(DWORD threadId) const override;
    // Whether the thread served the question and its list holds the window.
    bool lists(DWORD threadId, HWND window) const;

private:
    const AskedThread* find(DWORD threadId) const;
    bool served(const AskedThread& thread) const;

    const ThreadMarksBlock* answers;
    std::vector<AskedThread> threads;
};

// The way to a window's system menu. Where the system lets this process edit the menu (always on
// Windows, where menus are shared by the whole desktop), the edit is made here. Where it does not
// (Wine gives no other process's system menu), the edit is asked of TrapKit.dll's hook inside the
// window's own process, with a bound, so that a hung window never holds up a switch.
class SystemMenuChannel {
public:
    MenuResult perform(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe = nullptr);

    // Asks, without waiting, every thread of these windows whose menus only the thread's own
    // process can read, for all of its windows that carry the mark: all threads at once, each once,
    // in the order of the windows.
    // A thread has answered once it answers a message sent to it after this one.
    ThreadMarksQuestion askThreadMarks(const std::vector<WindowEntry>& windows);
    // Whether the window's item carries the mark: from its thread's answer where the thread was
    // asked, otherwise read here where this process can read the menu. The windows of a thread
    // that has not answered count as unmarked.
    bool carriesMark(const WindowEntry& window, const ThreadMarksQuestion& asked, bool threadAnswered);

    // The one channel of the process. It is never destroyed: programs may still be answering a
    // request while the exit clean-up runs, and the system frees it with the process.
    static SystemMenuChannel& instance();

private:
    SystemMenuChannel();
    bool reachableByRequest(HWND window, DWORD processId) const;
    MenuResult request(HWND window, MenuOperation operation, const MenuItemsRecipe* recipe);
    bool openRequestBlock();
    bool openThreadMarks();
    LONG nextSerial();

    // Innermost of the program's locks: nothing else is taken while it is held.
    CSemaphore lock{1, 1};
    HANDLE mapping = nullptr;
    MenuRequestBlock* block = nullptr;
    HANDLE threadMarksMapping = nullptr;
    ThreadMarksBlock* threadMarks = nullptr;
    UINT requestMessage;
    LONG lastSerial;
    int nextSlot = 0;
};
