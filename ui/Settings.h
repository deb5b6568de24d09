#pragma once
#include "desktops/HotkeyCode.h"

#include <windows.h>

class MessageCatalog;

// The user's options, kept in the registry under HKEY_CURRENT_USER: the three special hotkeys,
// how the current desktop is announced, auto start at logon and the interface language. Building
// the object writes every missing default, and on the first run the three desktops and the
// auto-start entry; the fields are plain data that the dialogs, the catalogue and the main loop
// read and write.
class Settings {
public:
    // Bits of noticeFlags.
    static constexpr DWORD NoticeTooltip = 1;       // a tooltip names the new desktop after a switch
    static constexpr DWORD NoticeTooltipAlways = 2; // ...and stays up; set only with NoticeTooltip
    static constexpr DWORD NoticeTrayNumber = 4;    // the tray icon shows the desktop's number

    // Hotkey ids of the special hotkeys; desktops use their id plus 3.
    static constexpr int HotkeyIdNext = 1;
    static constexpr int HotkeyIdPrev = 2;
    static constexpr int HotkeyIdCloseAll = 3;

    explicit Settings(const MessageCatalog& messages); // ensureDefaults
    ~Settings();                                      // unregisters the special hotkeys
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    void load();
    void save();
    // At start and when the options are stored, a refused hotkey ends the program; when the options
    // dialog puts the stored combinations back, it is only reported.
    enum class Refusal { EndsProgram, IsReported };
    void registerSpecialHotkeys(Refusal refusal = Refusal::EndsProgram);
    void unregisterSpecialHotkeys();

    HotkeyCode prevDesk = 0;
    HotkeyCode nextDesk = 0;
    HotkeyCode closeAll = 0;
    DWORD noticeFlags = 0;
    BYTE autoStart = 0;
    char language[4] = {}; // "eng" or "rus"; empty until load
    char modulePath[275] = {};

private:
    void ensureDefaults();

    const MessageCatalog& messages;
};
