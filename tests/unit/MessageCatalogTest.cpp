#include "app/MessageCatalog.h"
#include "tests/support/RussianTexts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

// Each message's two texts as written, so that two texts swapped between messages show; the
// captions are the end-to-end tests' and the box's below. ("0писание" begins with a zero.)
const struct { int number; const char *english, *russian; } Texts[] = {
    {MsgAbout, "About", russian::About},
    {MsgTerminate, "Terminate", russian::Terminate},
    {MsgAlreadyRunning, "Cant create temporary file. Maybe program is already running", russian::AlreadyRunning},
    {MsgCantRegisterHotkey, "Cant register hotkey", russian::CantRegisterHotkey},
    {MsgOnAllDesktops, "on all desktops", russian::OnAllDesktops},
    {MsgCantCreateThread, "Cant create thread", russian::CantCreateThread},
    {MsgNoModuleDirectory, "Cant get path to current directory", russian::NoModuleDirectory},
};

// English exactly for "eng", Windows-1251 Russian for every other setting, the language read on
// every lookup.
TEST(MessageCatalog, EngExactlyGivesEnglishAndEveryOtherSettingWindows1251Russian)
{
    char language[4] = "eng";
    MessageCatalog catalog{language};
    for (const auto& text : Texts)
        EXPECT_STREQ(catalog.text(text.number), text.english) << "message " << text.number;
    std::strcpy(language, "rus");
    for (const auto& text : Texts)
        EXPECT_EQ(hexBytes(catalog.text(text.number)), hexBytes(text.russian)) << "message " << text.number;
    for (const char* setting : {"", "ENG", "en", "Eng", "xyz"})
        EXPECT_EQ(hexBytes(MessageCatalog(setting).text(MsgTerminate)), hexBytes(russian::Terminate)) << setting;
}

// The notice box returns once answered; a second thread answers it, as a user would. The English
// caption is the dialog tests', which find their notices by it.
TEST(MessageBoxes, NoticeBoxCarriesTheNoticeCaptionOfTheCurrentLanguage)
{
    std::string caption, text;
    std::thread user([&] {
        if (HWND box = findMessageBox(GetCurrentProcessId())) {
            caption = windowText(box);
            text = messageBoxText(box);
            pressButton(box, IDOK);
        }
    });
    MessageCatalog("rus").noticeBox("Something to tell");
    user.join();
    EXPECT_EQ(hexBytes(caption), hexBytes(russian::NoticeCaption));
    EXPECT_EQ(text, "Something to tell");
}

} // namespace
