#include "DesktopManager.h"

#include "app/MessageCatalog.h"
#include "app/TrayIcon.h"
#include "framework/RegistryKey.h"
#include "ui/Settings.h"

namespace {
const char DesksKeyPath[] = "Software\\Lumenfold\\desks";
// A value name of 15 or more characters does not fit: that value is passed over.
const DWORD NameBufferSize = DesktopNameLength + 1;
const DWORD DataBufferSize = 275;
// More values than any key of desktops can sensibly hold; a bound for a key that never ends.
const DWORD ValueLimit = 10000;
}

// One value per desktop, named after it, holding its hotkey as text. The enumeration order of the
// values is the order of the desktops.
void DesktopManager::loadDesktops()
{
    RegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DesksKeyPath, 0, KEY_ALL_ACCESS, key.receive()) != ERROR_SUCCESS)
        messages.fatalError(MsgCantReadDesktops);

    // A value that cannot be read is passed over, never the ones after it: the system may list
    // values in any order (Wine sorts them by name), and the next save would lose every desktop
    // that was not read. The value passed over, which no desktop can stand for, goes at that save.
    for (DWORD index = 0; index < ValueLimit; ++index) {
        char name[NameBufferSize] = {};
        DWORD nameSize = NameBufferSize;
        LONG found = RegEnumValueA(key.get(), index, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (found == ERROR_NO_MORE_ITEMS)
            break;
        if (found != ERROR_SUCCESS)
            continue;
        char data[DataBufferSize + 1] = {};
        DWORD dataSize = DataBufferSize;
        bool read = RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataSize) ==
                    ERROR_SUCCESS;

        Desktop loaded;
        lstrcpynA(loaded.name, name, sizeof loaded.name);
        loaded.hotkey = read ? parseHotkeyText(data, dataSize) : 0;
        desktops.push_back(std::move(loaded));
    }
    key.close();

    unregisterDesktopHotkeys();
    registerDesktopHotkeys();
    bool showNumber = settings.noticeFlags & Settings::NoticeTrayNumber;
    trayIcon = std::make_unique<TrayIcon>(mainWindow, showNumber ? current : 0, messages);
}

// Rewrites the whole key: values in id order, each the hotkey text without a terminating NUL.
void DesktopManager::saveDesktops()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, DesksKeyPath);
    RegistryKey key;
    char keyClass[] = "REG_SZ";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DesksKeyPath, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.receive(), nullptr) != ERROR_SUCCESS)
        messages.fatalError(MsgCantOpenRegistryToSaveDesktops);

    for (const Desktop& each : desktops) {
        std::string text = hotkeyText(each.hotkey, true);
        RegSetValueExA(key.get(), each.name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size()));
    }
    key.close();

    unregisterDesktopHotkeys();
    registerDesktopHotkeys();
}
