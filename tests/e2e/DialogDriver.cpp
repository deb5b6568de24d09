#include "DialogDriver.h"

#include "res/resource.h"
#include "tests/support/TestRegistry.h"

#include <commctrl.h>

HWND openOptionsDialog(const RunningLumenfold& lumenfold, const char* title)
{
    PostMessageA(lumenfold.mainWindow(), WM_USER + 100, 0, WM_LBUTTONDOWN);
    HWND dialog = findWindowOfProcess(lumenfold.processId(), title);
    return dialog != nullptr && waitUntil([&] { return visible(dialog); }) ? dialog : nullptr;
}

void chooseMenuCommand(HWND dialog, MenuCommand command) { PostMessageA(dialog, WM_COMMAND, command, 0); }

bool waitGone(HWND window, DWORD timeoutMs)
{
    return waitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

// BM_CLICK makes the button click itself in the program's own thread: under Wine a click
// injected with SendInput may land where the pointer was before it moved.
void click(HWND control)
{
    waitUntil([&] { return IsWindowEnabled(GetAncestor(control, GA_ROOT)) != FALSE; }, 5000);
    PostMessageA(control, BM_CLICK, 0, 0);
}

bool focus(HWND control)
{
    HWND dialog = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(dialog);
    // The dialog moves the focus itself, in its own thread, when asked to.
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    return waitUntil([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus == control;
    }, 5000);
}

void typeInto(HWND control, std::initializer_list<WORD> virtualKeys)
{
    focus(control);
    for (WORD key : virtualKeys)
        pressKeys({key});
}

WORD shownHotkey(HWND control) { return LOWORD(SendMessageA(control, HKM_GETHOTKEY, 0, 0)); }

bool typeAltCombination(HWND control, WORD key)
{
    typeInto(control, {});
    pressKeys({VK_MENU, key});
    return waitUntil([&] { return shownHotkey(control) == MAKEWORD(key, HOTKEYF_ALT); });
}

std::string controlText(HWND control)
{
    char text[256] = {};
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string answerNotice(DWORD processId, DWORD timeoutMs)
{
    HWND box = findWindowOfProcess(processId, NoticeTitle, timeoutMs);
    // Found by its title, the box gets its text a moment later.
    if (box == nullptr || !waitUntil([&] { return visible(box) && !messageBoxText(box).empty(); }))
        return "";
    std::string text = messageBoxText(box);
    pressButton(box, IDOK);
    waitGone(box);
    return text;
}

namespace {
// List-view requests carry pointers, so they are made with an item (and room for its text) in the
// memory of the list's own process.
class RemoteItem {
public:
    explicit RemoteItem(HWND list)
        : process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processOf(list))),
          remote(static_cast<char*>(VirtualAllocEx(process, nullptr, Size, MEM_COMMIT, PAGE_READWRITE)))
    {
    }
    ~RemoteItem()
    {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
    }
    LPARAM put(LVITEMA item) const
    {
        item.pszText = remote + sizeof item;
        item.cchTextMax = Size - sizeof item;
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        return reinterpret_cast<LPARAM>(remote);
    }
    LVITEMA item(std::string* text) const
    {
        char copy[Size] = {};
        ReadProcessMemory(process, remote, copy, Size - 1, nullptr);
        *text = copy + sizeof(LVITEMA);
        return *reinterpret_cast<LVITEMA*>(copy);
    }

private:
    static const int Size = sizeof(LVITEMA) + 64;
    HANDLE process;
    char* remote;
};
}

void selectRow(HWND list, int row)
{
    RemoteItem remote(list);
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), remote.put(item));
    item.state = item.stateMask;
    SendMessageA(list, LVM_SETITEMSTATE, row, remote.put(item));
}

ListRows readDesktopList(HWND list)
{
    RemoteItem remote(list);
    ListRows rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, remote.put(item));
        std::string name;
        if (remote.item(&name).lParam == 1)
            rows.currentRow = row;
        rows.names.push_back(name);
    }
    return rows;
}

std::string storedText(const char* key, const char* name)
{
    return registry::handedOverText(registry::read(key, name));
}

void OptionsDialogTest::renameSelected(const char* text, WORD endKey)
{
    HWND list = item(IDC_DESKTOP_LIST);
    ASSERT_TRUE(focus(list));
    PostMessageA(list, LVM_EDITLABELA, SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 0);
    HWND edit = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0))); }));
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    PostMessageA(edit, WM_KEYDOWN, endKey, 0);
}
