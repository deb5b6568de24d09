#include "app/MessageCatalog.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

// Each message's two texts as written, so that two texts swapped between messages show; the
// captions are the end-to-end tests' and the box's below. ("0писание" begins with a zero.)
const struct { int number; const char* english; const wchar_t* russian; } Texts[] = {
    {MsgAbout, "About", L"0писание"},
    {MsgTerminate, "Terminate", L"Завершение"},
    {MsgAlreadyRunning, "Cant create temporary file. Maybe program is already running",
     L"Невозможно создать временный файл. Возможно, программа уже запущена"},
    {MsgCantRegisterHotkey, "Cant register hotkey", L"Невозможно зарегистрировать в системе заданную комбинацию клавиш"},
    {MsgOnAllDesktops, "on all desktops", L"на всех раб. столах"},
    {MsgCantCreateThread, "Cant create thread", L"Невозможно создать поток"},
    {MsgNoModuleDirectory, "Cant get path to current directory", L"Невозможно узнать имя текущего каталога"},
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
        EXPECT_EQ(hexBytes(catalog.text(text.number)), hexBytes(windows1251(text.russian))) << "message " << text.number;
    for (const char* setting : {"", "ENG", "en", "Eng", "xyz"})
        EXPECT_EQ(hexBytes(MessageCatalog(setting).text(MsgTerminate)), hexBytes(windows1251(L"Завершение"))) << setting;
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
    EXPECT_EQ(hexBytes(caption), hexBytes(windows1251(L"Внимание 8-|")));
    EXPECT_EQ(text, "Something to tell");
}

} // namespace
