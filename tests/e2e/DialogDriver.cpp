#include "DialogDriver.h"

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

void click(HWND control)
{
    RECT area;
    GetWindowRect(control, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

void typeInto(HWND control, std::initializer_list<WORD> virtualKeys)
{
    HWND dialog = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(dialog);
    // The dialog moves the focus itself, in its own thread, when asked to.
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    waitUntil([&] {
        GUITHREADINFO info = {sizeof info};
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus == control;
    }, 5000);
    for (WORD key : virtualKeys)
        pressKeys({key});
}

std::string answerNotice(DWORD processId, DWORD timeoutMs)
{
    HWND box = findWindowOfProcess(processId, NoticeTitle, timeoutMs);
    if (box == nullptr)
        return "";
    std::string text = messageBoxText(box);
    pressButton(box, IDOK);
    waitGone(box);
    return text;
}

namespace {
// List-view requests carry pointers, so they are made with memory in the dialog's own process.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size)
    {
        DWORD processId = processOf(window);
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        VirtualFreeEx(process, address, 0, MEM_RELEASE);
        CloseHandle(process);
    }
    template <typename T>
    void write(const T& value, SIZE_T offset = 0)
    {
        WriteProcessMemory(process, static_cast<char*>(address) + offset, &value, sizeof value, nullptr);
    }
    template <typename T>
    T read(SIZE_T offset = 0) const
    {
        T value = {};
        ReadProcessMemory(process, static_cast<char*>(address) + offset, &value, sizeof value, nullptr);
        return value;
    }
    char* at(SIZE_T offset) const { return static_cast<char*>(address) + offset; }

private:
    HANDLE process;
    void* address;
};
}

ListRows readDesktopList(HWND list)
{
    struct TextBuffer {
        char text[64];
    };
    RemoteBuffer buffer(list, sizeof(LVITEMA) + sizeof(TextBuffer));
    ListRows rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = buffer.at(sizeof(LVITEMA));
        item.cchTextMax = sizeof(TextBuffer::text);
        buffer.write(item);
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.at(0)));
        rows.names.push_back(buffer.read<TextBuffer>(sizeof(LVITEMA)).text);
        if (buffer.read<LVITEMA>().lParam == 1)
            rows.currentRow = row;
    }
    return rows;
}
