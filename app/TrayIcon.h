#pragma once
#include "framework/CWinThread.h"
#include "framework/UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

class MessageCatalog;

// The program's one icon in the notification area. Mouse events on it reach the main window as
// TrayCallbackMessage. It shows the program's icon, or the current desktop's number when the
// caller passes one (0 = no number).
//
// A new number goes to the shell from a thread of the icon's own. The shell takes it only once it
// has caught up with its own work, which after a switch of many windows (a taskbar button each to
// add or remove) lasts up to most of a second, and the main thread must be free meanwhile for the
// next hotkey. Only the latest number is shown. A number that the shell refuses is reported to the
// main window as TrayRefusedMessage: the main thread, not this one, ends the program.
class TrayIcon {
public:
    static constexpr UINT TrayCallbackMessage = WM_USER + 100;
    static constexpr UINT TrayRefusedMessage = WM_USER + 102;
    // The record in its first, 88-byte form, which every version of the shell accepts.
    static constexpr DWORD RecordSize = 88;

    TrayIcon(HWND mainWindow, int number, const MessageCatalog& messages);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Returns at once; the icon's thread shows the number.
    void update(int number);
    // Shows the number on the calling thread; false when the shell refuses it.
    bool show(int number);

    NOTIFYICONDATAA record = {};

private:
    class NumberThread : public CWinThread {
    public:
        explicit NumberThread(TrayIcon& icon) : icon(icon) {}

    private:
        int Run() override;
        TrayIcon& icon;
    };

    bool notify(int number, DWORD notifyMessage);

    const MessageCatalog& messages;
    HICON composedIcon = nullptr; // the number icon the tray shows now, if any
    volatile LONG wantedNumber = 0;
    UniqueHandle numberWanted{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle stopWanted{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    NumberThread numberThread{*this};
    bool threadRunning = false;
};
