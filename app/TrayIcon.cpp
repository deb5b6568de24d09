#include "TrayIcon.h"

#include "MessageCatalog.h"
#include "NumberIcon.h"
#include "res/resource.h"

TrayIcon::TrayIcon(HWND mainWindow, int number, const MessageCatalog& messages) : messages(messages)
{
    record.cbSize = RecordSize;
    record.hWnd = mainWindow;
    record.uID = 0;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TrayCallbackMessage;
    lstrcpynA(record.szTip, "Lumenfold", sizeof record.szTip);
    show(number, NIM_ADD);
}

TrayIcon::~TrayIcon()
{
    Shell_NotifyIconA(NIM_DELETE, &record);
    if (composedIcon != nullptr)
        DestroyIcon(composedIcon);
}

void TrayIcon::update(int number)
{
    show(number, NIM_MODIFY);
}

void TrayIcon::show(int number, DWORD notifyMessage)
{
    HICON previous = composedIcon;
    if (number == 0) {
        composedIcon = nullptr;
        record.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    } else {
        composedIcon = composeNumberIcon(record.hWnd, number, messages);
        record.hIcon = composedIcon;
    }
    if (!Shell_NotifyIconA(notifyMessage, &record))
        messages.fatalError(MsgCantAddTrayIcon);
    // The tray keeps a copy of the icon that it shows, so the one shown before can go.
    if (previous != nullptr)
        DestroyIcon(previous);
}
