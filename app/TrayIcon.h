#pragma once
#include <windows.h>
#include <shellapi.h>

class MessageCatalog;

// The program's one icon in the notification area. Mouse events on it reach the main window as
// TrayCallbackMessage. It shows the program's icon, or the current desktop's number when the
// caller passes one (0 = no number).
//
// A new icon goes to the shell from a thread of the icon's own. The shell takes it only once it
// has caught up with its own work, which after a switch of many windows (a taskbar button each to
// add or remove) lasts up to most of a second, and the main thread must be free meanwhile for the
// next hotkey. Only the latest icon is shown. One that the shell refuses is reported to the main
// window as TrayRefusedMessage: the main thread, not the icon's, ends the program.
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

    // Makes the icon here, hands it to the icon's thread and returns.
    void update(int number);
    // True once the shell has been handed the last icon made.
    bool handedOver() const;

private:
    class Channel;

    const MessageCatalog& messages;
    Channel* channel;
};
