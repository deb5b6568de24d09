#include "TrayIcon.h"

#include "MessageCatalog.h"
#include "NumberIcon.h"
#include "framework/CWinThread.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"

namespace {
// How long the exit waits for an icon still on its way to the shell before it goes on without it.
const DWORD ThreadStopLimitMs = 5000;

// A number icon is made for its one call and destroyed after it: the tray keeps a copy of the icon
// that it shows. The program's own icon is shared, and stays.
struct Icon {
    HICON handle = nullptr;
    bool composed = false;
};

Icon iconFor(HWND mainWindow, int number, const MessageCatalog& messages)
{
    if (number == 0)
        return {LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM)), false};
    return {composeNumberIcon(mainWindow, number, messages), true};
}

void release(Icon& icon)
{
    if (icon.composed && icon.handle != nullptr)
        DestroyIcon(icon.handle);
    icon = {};
}

bool notify(NOTIFYICONDATAA record, Icon icon, DWORD notifyMessage)
{
    record.hIcon = icon.handle;
    bool taken = Shell_NotifyIconA(notifyMessage, &record);
    release(icon);
    return taken;
}
}

// What the icon's thread works on: the record, the icon waiting for it, and the thread itself.
// When the shell keeps the thread past the exit's limit, all of it is left to the end of the
// process, which takes the thread with it.
class TrayIcon::Channel : public CWinThread {
public:
    explicit Channel(const NOTIFYICONDATAA& record) : record(record) { InitializeCriticalSection(&lock); }
    ~Channel() override
    {
        release(waiting);
        DeleteCriticalSection(&lock);
    }

    // An icon that the thread has not taken yet gives way to this one.
    void hand(Icon icon)
    {
        EnterCriticalSection(&lock);
        release(waiting);
        waiting = icon;
        LeaveCriticalSection(&lock);
        SetEvent(iconWaiting.get());
    }
    bool idle()
    {
        EnterCriticalSection(&lock);
        bool nothingLeft = waiting.handle == nullptr && !busy;
        LeaveCriticalSection(&lock);
        return nothingLeft;
    }
    bool stop()
    {
        SetEvent(stopWanted.get());
        return WaitForEnd(ThreadStopLimitMs);
    }
    bool ready() const { return iconWaiting.valid() && stopWanted.valid(); }

    const NOTIFYICONDATAA& shellRecord() const { return record; }

private:
    int Run() override
    {
        HANDLE events[] = {stopWanted.get(), iconWaiting.get()};
        while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            EnterCriticalSection(&lock);
            Icon next = waiting;
            waiting = {};
            busy = true;
            LeaveCriticalSection(&lock);
            if (next.handle != nullptr && !notify(record, next, NIM_MODIFY))
                PostMessageA(record.hWnd, TrayRefusedMessage, 0, 0);
            EnterCriticalSection(&lock);
            busy = false;
            LeaveCriticalSection(&lock);
        }
        return 0;
    }

    NOTIFYICONDATAA record; // as made for the icon's addition, then never changed
    CRITICAL_SECTION lock;
    Icon waiting;
    bool busy = false;
    UniqueHandle iconWaiting{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle stopWanted{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

TrayIcon::TrayIcon(HWND mainWindow, int number, const MessageCatalog& messages) : messages(messages)
{
    NOTIFYICONDATAA record = {};
    record.cbSize = RecordSize;
    record.hWnd = mainWindow;
    record.uID = 0;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = TrayCallbackMessage;
    lstrcpynA(record.szTip, "Lumenfold", sizeof record.szTip);
    if (!notify(record, iconFor(mainWindow, number, messages), NIM_ADD))
        messages.fatalError(MsgCantAddTrayIcon);
    channel = new Channel(record);
    if (!channel->ready() || !channel->CreateThread()) {
        Shell_NotifyIconA(NIM_DELETE, &record);
        messages.fatalError(MsgCantCreateThread);
    }
}

TrayIcon::~TrayIcon()
{
    if (!channel->stop())
        return;
    NOTIFYICONDATAA record = channel->shellRecord();
    Shell_NotifyIconA(NIM_DELETE, &record);
    delete channel;
}

void TrayIcon::update(int number)
{
    channel->hand(iconFor(channel->shellRecord().hWnd, number, messages));
}

bool TrayIcon::handedOver() const
{
    return channel->idle();
}
