// The options dialog's menu bar: built at run time from the catalogue, so that it always speaks
// the current language, and handled before dispatch.
#include "AboutDialog.h"
#include "OptionsDialog.h"
#include "Settings.h"
#include "app/MessageCatalog.h"
#include "framework/CMenu.h"

#include <cstdlib>
#include <cstring>

namespace {
const UINT CmdEnglish = 1125;
const UINT CmdRussian = 1126;
const UINT CmdAbout = 1127;
const UINT CmdTerminate = 1128;

// The bar lives as long as the process, each build replacing the last one; it owns its language
// popup.
CMenu menuBar;
CMenu languageMenu;
}

void OptionsDialog::BuildMenuBar()
{
    // The window's menu until now: the template's at the first build, the last bar afterwards.
    HMENU previous = GetMenu(m_hWnd);
    HMENU oldBar = menuBar.Detach();
    menuBar.CreateMenu();
    languageMenu.CreatePopupMenu();

    languageMenu.AppendMenu(MF_STRING, CmdEnglish, messages.text(MsgEnglish));
    languageMenu.AppendMenu(MF_STRING, CmdRussian, messages.text(MsgRussian));
    bool english = std::strcmp(settings.language, "eng") == 0;
    UINT checked = english ? CmdEnglish : CmdRussian;
    languageMenu.ModifyMenu(checked, MF_BYCOMMAND | MF_STRING | MF_CHECKED, checked,
                            messages.text(english ? MsgEnglish : MsgRussian));

    menuBar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(languageMenu.m_hMenu), messages.text(MsgLanguage));
    // Once appended, the popup is the bar's: destroying the bar destroys it.
    languageMenu.Detach();
    menuBar.AppendMenu(MF_STRING, CmdAbout, messages.text(MsgAbout));
    menuBar.AppendMenu(MF_STRING, CmdTerminate, messages.text(MsgTerminate));
    SetMenu(m_hWnd, menuBar.m_hMenu);
    if (previous != nullptr)
        DestroyMenu(previous);
    if (oldBar != nullptr && oldBar != previous)
        DestroyMenu(oldBar);
}

// The window would destroy its menu with itself, leaving menuBar a handle that the system may give
// to another menu: the bar stays menuBar's alone.
void OptionsDialog::OnDestroy()
{
    SetMenu(m_hWnd, nullptr);
    Default(WM_DESTROY, 0, 0);
}

BOOL OptionsDialog::PreTranslateMessage(MSG* message)
{
    if (message->message != WM_COMMAND)
        return CDialog::PreTranslateMessage(message);
    switch (message->wParam) {
    case CmdEnglish:
    case CmdRussian:
        // Closing stores every option, the new language with them; the next opening picks the
        // template of that language.
        lstrcpynA(settings.language, message->wParam == CmdEnglish ? "eng" : "rus", sizeof settings.language);
        BuildMenuBar();
        SetupColumns();
        SendMessage(WM_CLOSE);
        return FALSE;
    case CmdAbout: {
        AboutDialog about(messages);
        about.DoModal();
        return FALSE;
    }
    case CmdTerminate:
        // The process ends through the runtime's normal exit: every hidden window comes back.
        // The option controls of this opening are not stored.
        std::exit(0);
    }
    return CDialog::PreTranslateMessage(message);
}
