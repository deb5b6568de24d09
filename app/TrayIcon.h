#pragma once
#include <windows.h>
#include <shellapi.h>

class MessageCatalog;

// The program's one icon in the notification area. Mouse events on it reach the main window as
// TrayCallbackMessage. It shows the program's icon, or the current desktop's number when the
// caller passes one (0 = no number).
class TrayIcon {
public:
    static constexpr UINT TrayCallbackMessage = WM_USER + 100;
    // The record in its first, 88-byte form, which every version of the shell accepts.
    static constexpr DWORD RecordSize = 88;

    TrayIcon(HWND mainWindow, int number, const MessageCatalog& messages);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void update(int number);

    NOTIFYICONDATAA record = {};

private:
    void show(int number, DWORD notifyMessage);

    const MessageCatalog& messages;
    HICON composedIcon = nullptr; // the number icon the tray shows now, if any
};
