#include "TrayIcon.h"

#include "MessageCatalog.h"
#include "NumberIcon.h"
#include "res/resource.h"

namespace {
// How long the exit waits for a number still on its way to the shell. A shell that has not
// answered by then does not hold up the windows that the exit shows next.
const DWORD NumberThreadStopLimitMs = 5000;
}

TrayIcon::TrayIcon(HWND mainWindow, int number, const MessageCatalog& messages) : messages(messages)
{
    record.cbSize = RecordSize;
    record.hWnd = mainWindow;
    record.uID = 0;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TrayCallbackMessage;
    lstrcpynA(record.szTip, "Lumenfold", sizeof record.szTip);
    if (!notify(number, NIM_ADD))
        messages.fatalError(MsgCantAddTrayIcon);
    threadRunning = numberWanted.valid() && stopWanted.valid() && numberThread.CreateThread();
}

// A thread still inside the shell's call after the limit is ended where it waits: it holds
// nothing of this program's but the record, which goes with this object.
TrayIcon::~TrayIcon()
{
    if (threadRunning) {
        SetEvent(stopWanted.get());
        if (!numberThread.WaitForEnd(NumberThreadStopLimitMs))
            TerminateThread(numberThread.m_hThread, 0);
    }
    Shell_NotifyIconA(NIM_DELETE, &record);
    if (composedIcon != nullptr)
        DestroyIcon(composedIcon);
}

void TrayIcon::update(int number)
{
    if (!threadRunning) {
        if (!show(number))
            PostMessageA(record.hWnd, TrayRefusedMessage, 0, 0);
        return;
    }
    InterlockedExchange(&wantedNumber, number);
    SetEvent(numberWanted.get());
}

bool TrayIcon::show(int number)
{
    return notify(number, NIM_MODIFY);
}

bool TrayIcon::notify(int number, DWORD notifyMessage)
{
    HICON previous = composedIcon;
    if (number == 0) {
        composedIcon = nullptr;
        record.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    } else {
        composedIcon = composeNumberIcon(record.hWnd, number, messages);
        record.hIcon = composedIcon;
    }
    bool taken = Shell_NotifyIconA(notifyMessage, &record);
    // The tray keeps a copy of the icon that it shows, so the one shown before can go.
    if (previous != nullptr)
        DestroyIcon(previous);
    return taken;
}

// Several numbers wanted while the shell was busy wake the thread once: it shows the latest.
int TrayIcon::NumberThread::Run()
{
    HANDLE events[] = {icon.stopWanted.get(), icon.numberWanted.get()};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        if (!icon.show(InterlockedCompareExchange(&icon.wantedNumber, 0, 0)))
            PostMessageA(icon.record.hWnd, TrayRefusedMessage, 0, 0);
    }
    return 0;
}
