#include "Settings.h"

#include "app/MessageCatalog.h"
#include "framework/RegistryKey.h"

#include <cstring>

namespace {
const char OptionsKeyPath[] = "Software\\Lumenfold";
const char DesksKeyPath[] = "Software\\Lumenfold\\desks";
const char RunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char AutoStartValue[] = "Lumenfold.exe";
const DWORD ValueBufferSize = 275;

const int ModAlt = MOD_ALT;
const int DefaultDesktopCount = 3;

bool valueExists(HKEY key, const char* name)
{
    BYTE data[ValueBufferSize];
    DWORD size = ValueBufferSize;
    return RegQueryValueExA(key, name, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
}

// Strings are stored without their terminating NUL.
void writeString(HKEY key, const char* name, DWORD type, const char* text, DWORD length)
{
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text), length);
}

void writeHotkey(HKEY key, const char* name, HotkeyCode code)
{
    std::string text = hotkeyText(code, false);
    writeString(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size()));
}

void writeDefaultHotkeyIfMissing(HKEY key, const char* name, int virtualKey)
{
    if (!valueExists(key, name))
        writeHotkey(key, name, packHotkey(ModAlt, virtualKey));
}

HotkeyCode readHotkey(HKEY key, const char* name)
{
    char data[ValueBufferSize + 1] = {};
    DWORD size = ValueBufferSize;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return 0;
    return parseHotkeyText(data, size);
}
}

Settings::Settings(const MessageCatalog& messages) : messages(messages)
{
    ensureDefaults();
}

Settings::~Settings()
{
    unregisterSpecialHotkeys();
}

// Writes every missing option with its default; values that are present keep whatever they hold,
// except one too long for the buffer, which could never be read and counts as missing.
// A desks key that did not exist means a first run: three desktops on Alt+F1 to Alt+F3, and
// auto start at logon.
void Settings::ensureDefaults()
{
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);

    RegistryKey options;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, OptionsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, options.receive(),
                        nullptr) != ERROR_SUCCESS)
        messages.fatalError(MsgCantOpenRegistryForDefaults);
    writeDefaultHotkeyIfMissing(options.get(), "PrevDesk", VK_LEFT);
    writeDefaultHotkeyIfMissing(options.get(), "NextDesk", VK_RIGHT);
    writeDefaultHotkeyIfMissing(options.get(), "CloseAll", VK_DELETE);
    if (!valueExists(options.get(), "ShowCurDeskMsg")) {
        const BYTE tooltipOnly = static_cast<BYTE>(NoticeTooltip);
        RegSetValueExA(options.get(), "ShowCurDeskMsg", 0, REG_BINARY, &tooltipOnly, 1);
    }
    if (!valueExists(options.get(), "Language"))
        writeString(options.get(), "Language", REG_SZ, "eng", 3);
    options.close();

    RegistryKey desks;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DesksKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, desks.receive(),
                        &disposition) != ERROR_SUCCESS)
        messages.fatalError(MsgCantOpenRegistryForDefaultDesktops);
    if (disposition == REG_OPENED_EXISTING_KEY)
        return;

    RegistryKey run;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, run.receive(),
                        nullptr) != ERROR_SUCCESS)
        messages.fatalError(MsgCantOpenRegistryForAutoStart);
    writeString(run.get(), AutoStartValue, REG_SZ, modulePath, static_cast<DWORD>(std::strlen(modulePath)));
    run.close();

    for (int i = 0; i < DefaultDesktopCount; ++i) {
        char name[16];
        wsprintfA(name, "VirtDesk%d", i + 1);
        std::string text = hotkeyText(packHotkey(ModAlt, VK_F1 + i), true);
        writeString(desks.get(), name, REG_MULTI_SZ, text.c_str(), static_cast<DWORD>(text.size()));
    }
}

void Settings::load()
{
    RegistryKey options;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, OptionsKeyPath, 0, KEY_ALL_ACCESS, options.receive()) != ERROR_SUCCESS)
        messages.fatalError(MsgCantOpenRegistryToRead);
    nextDesk = readHotkey(options.get(), "NextDesk");
    prevDesk = readHotkey(options.get(), "PrevDesk");
    closeAll = readHotkey(options.get(), "CloseAll");

    // The flags may be stored as the single byte of the first-run default; the other bytes then
    // keep their zero.
    DWORD flags = 0;
    DWORD size = sizeof flags;
    if (RegQueryValueExA(options.get(), "ShowCurDeskMsg", nullptr, nullptr, reinterpret_cast<BYTE*>(&flags), &size) ==
        ERROR_SUCCESS)
        noticeFlags = flags;

    // The code fits four bytes, its NUL included; anything longer is no language, and the field
    // stays empty. Reading through a larger buffer keeps the field terminated whatever is stored.
    char stored[ValueBufferSize + 1] = {};
    size = ValueBufferSize;
    if (RegQueryValueExA(options.get(), "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size) ==
            ERROR_SUCCESS &&
        size <= sizeof language)
        lstrcpynA(language, stored, sizeof language);
    options.close();

    RegistryKey run;
    if (RegOpenKeyA(HKEY_CURRENT_USER, RunKeyPath, run.receive()) != ERROR_SUCCESS)
        messages.fatalError(MsgCantReadAutoStart);
    autoStart = valueExists(run.get(), AutoStartValue) ? 1 : 0;
    run.close();

    unregisterSpecialHotkeys();
    registerSpecialHotkeys();
}

void Settings::save()
{
    RegistryKey options;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, OptionsKeyPath, 0, KEY_ALL_ACCESS, options.receive()) != ERROR_SUCCESS)
        messages.fatalError(MsgCantOpenRegistryToSave);
    writeHotkey(options.get(), "NextDesk", nextDesk);
    writeHotkey(options.get(), "PrevDesk", prevDesk);
    writeHotkey(options.get(), "CloseAll", closeAll);
    RegSetValueExA(options.get(), "ShowCurDeskMsg", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&noticeFlags),
                   sizeof noticeFlags);
    RegSetValueExA(options.get(), "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(language), sizeof language);
    options.close();

    RegistryKey run;
    if (RegOpenKeyA(HKEY_CURRENT_USER, RunKeyPath, run.receive()) != ERROR_SUCCESS)
        messages.fatalError(MsgCantOpenRegistryToSaveAutoStart);
    RegDeleteValueA(run.get(), AutoStartValue);
    if (autoStart != 0)
        writeString(run.get(), AutoStartValue, REG_SZ, modulePath, static_cast<DWORD>(std::strlen(modulePath)));
    run.close();

    unregisterSpecialHotkeys();
    registerSpecialHotkeys();
}

void Settings::registerSpecialHotkeys(Refusal refusal)
{
    struct Special {
        int id;
        HotkeyCode code;
        int failureMessage;
    };
    const Special specials[] = {
        {HotkeyIdNext, nextDesk, MsgCantRegisterNextHotkey},
        {HotkeyIdPrev, prevDesk, MsgCantRegisterPreviousHotkey},
        {HotkeyIdCloseAll, closeAll, MsgCantRegisterCloseAllHotkey},
    };
    for (const Special& special : specials) {
        if (special.code == 0)
            continue;
        if (RegisterHotKey(nullptr, special.id, hotkeyModifiers(special.code), hotkeyVirtualKey(special.code)))
            continue;
        if (refusal == Refusal::EndsProgram)
            messages.fatalError(special.failureMessage);
        messages.noticeBox(messages.text(special.failureMessage));
    }
}

void Settings::unregisterSpecialHotkeys()
{
    UnregisterHotKey(nullptr, HotkeyIdNext);
    UnregisterHotKey(nullptr, HotkeyIdPrev);
    UnregisterHotKey(nullptr, HotkeyIdCloseAll);
}
