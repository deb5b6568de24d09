#include "DialogDriver.h"

HWND openOptionsDialog(const RunningLumenfold& lumenfold)
{
    PostMessageA(lumenfold.mainWindow(), WM_USER + 100, 0, WM_LBUTTONDOWN);
    HWND dialog = findWindowOfProcess(lumenfold.id(), "Lumenfold");
    return dialog != nullptr && waitUntil([&] { return visible(dialog); }) ? dialog : nullptr;
}

bool focus(HWND control)
{
    HWND dialog = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(dialog);
    // The dialog moves the focus itself, in its own thread, when asked to.
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    return waitUntil([&] {
        GUITHREADINFO info = {sizeof info};
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus == control;
    }, 5000);
}

bool typeAltCombination(HWND control, WORD key)
{
    focus(control);
    pressAlt(key);
    return waitUntil([&] { return shownHotkey(control) == MAKEWORD(key, HOTKEYF_ALT); });
}

std::string controlText(HWND control)
{
    char text[256] = {};
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

// List-view requests carry pointers, so the item (and room for its text) goes into the list's own process.
static LVITEMA sendItem(HWND list, UINT message, WPARAM wParam, LVITEMA item, std::string* text = nullptr)
{
    constexpr int Size = sizeof item + 64;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processOf(list));
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, Size, MEM_COMMIT, PAGE_READWRITE));
    item.pszText = remote + sizeof item;
    item.cchTextMax = Size - sizeof item;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    SendMessageA(list, message, wParam, reinterpret_cast<LPARAM>(remote));
    char copy[Size] = {};
    ReadProcessMemory(process, remote, copy, Size - 1, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (text != nullptr)
        *text = copy + sizeof item;
    return *reinterpret_cast<LVITEMA*>(copy);
}

void selectRow(HWND list, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    sendItem(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), item);
    item.state = item.stateMask;
    sendItem(list, LVM_SETITEMSTATE, row, item);
}

ListRows readDesktopList(HWND list)
{
    ListRows rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        rows.names.emplace_back();
        if (sendItem(list, LVM_GETITEMA, 0, item, &rows.names.back()).lParam == 1)
            rows.currentRow = row;
    }
    return rows;
}

void OptionsDialogTest::rename(int row, const char* text, WORD endKey)
{
    HWND list = item(IDC_DESKTOP_LIST);
    selectRow(row);
    ASSERT_TRUE(focus(list));
    PostMessageA(list, LVM_EDITLABELA, row, 0);
    HWND edit = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        return (edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0))) != nullptr;
    }));
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    PostMessageA(edit, WM_KEYDOWN, endKey, 0);
}
