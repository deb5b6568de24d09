#pragma once
#include "Desktop.h"
#include "HiddenWindowJournal.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class MessageCatalog;
class ThreadAnswers;
class ThreadMarksQuestion;
class Settings;
class TrayIcon;

// The desktops, the windows filed on each and which desktop is current: the program's one piece
// of shared state. Other code reaches it only through LockedDesktops, which serialises the calls;
// the manager's operations call each other directly.
class DesktopManager {
public:
    DesktopManager(const Settings& settings, const MessageCatalog& messages);
    // At exit, whatever the cause: the tray icon goes, the hotkeys are unregistered and every
    // filed window is shown again.
    ~DesktopManager();
    DesktopManager(const DesktopManager&) = delete;
    DesktopManager& operator=(const DesktopManager&) = delete;

    // The program's own top-level window: the start of every window walk and the one window that
    // the walk leaves out, and the owner of the tray icon.
    void attachMainWindow(HWND mainWindow);

    // Switching
    void switchTo(DesktopId id);

    // Once this is the only instance: the windows that a killed one left hidden come back.
    void showWindowsLeftHidden() { journal.takeOver(); }
    // For the crash filter, which reads it without the lock.
    const HiddenWindowJournal& hiddenWindows() const { return journal; }

    // Storage in the registry
    void loadDesktops();
    void saveDesktops();

    // Window placement
    void captureVisible();
    void forgetWindows(DesktopId id);
    void addWindow(HWND window);
    void removeWindow(HWND window);
    void releaseWindow(HWND window);
    void sendWindowTo(DesktopId id, HWND window);
    std::optional<WindowEntry> windowAt(DesktopId id, unsigned index) const;
    std::vector<DesktopSnapshot> snapshot() const;
    int windowCount(DesktopId id) const;
    void closeAllApps(DesktopId id);

    // Editing
    bool setName(DesktopId id, const char* name);
    bool hotkeyFree(DesktopId id, HotkeyCode code) const;
    bool setHotkey(DesktopId id, HotkeyCode code);
    bool deleteDesktop(DesktopId id);

    // Reading
    int currentId() const { return current; }
    int idEnd() const { return static_cast<int>(desktops.size()) + 1; }
    std::optional<std::string> desktopName(DesktopId id) const;
    HotkeyCode hotkeyOf(DesktopId id) const;

private:
    bool exists(DesktopId id) const { return id >= 1 && id <= static_cast<int>(desktops.size()); }
    Desktop& desktop(DesktopId id) { return desktops[id - 1]; }
    const Desktop& desktop(DesktopId id) const { return desktops[id - 1]; }
    WindowEntry makeEntry(HWND window, std::string title) const;
    WindowEntry makeEntry(HWND window) const;

    void registerDesktopHotkeys();
    void unregisterDesktopHotkeys();

    std::vector<WindowEntry> hideWindowsOnScreen(const std::vector<WindowEntry>& onScreen,
                                                 const ThreadMarksQuestion& marks, ThreadAnswers& answers);
    void hideLateWindows(const std::vector<WindowEntry>& late, const ThreadMarksQuestion& marks,
                         ThreadAnswers& answers);
    void hideAndFile(const WindowEntry& entry, const ThreadMarksQuestion& marks, ThreadAnswers& answers,
                     std::vector<WindowEntry>::iterator place);
    // Every window filed on a desktop other than the current one, and these.
    std::vector<JournalEntry> filedWindows(const std::vector<WindowEntry>& alsoThese = {}) const;
    void journalHiddenWindows() { journal.record(filedWindows()); }
    bool showDesktopWindows(const Desktop& target, ThreadAnswers& answers);
    void keepForegroundOffHungThreads(ThreadAnswers& answers);
    void updateTrayIcon();
    void showNotice(bool keep);

    const Settings& settings;
    const MessageCatalog& messages;
    HWND mainWindow = nullptr;

    std::vector<Desktop> desktops; // desktop id n is desktops[n - 1]
    DesktopId current = 1;
    std::unique_ptr<TrayIcon> trayIcon;
    HWND noticeWindow = nullptr; // the last notice tooltip, also after it has been destroyed
    HiddenWindowJournal journal;
};
