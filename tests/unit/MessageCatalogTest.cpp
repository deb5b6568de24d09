#include "app/MessageCatalog.h"
#include "tests/support/RussianTexts.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

struct Catalog {
    explicit Catalog(const char* setting) { std::string(setting).copy(language, sizeof language - 1); }
    char language[4] = {};
    MessageCatalog messages{language};
};

TEST(MessageCatalog, EngExactlyGivesEnglish)
{
    Catalog english("eng");
    EXPECT_STREQ(english.messages.text(MsgTerminate), "Terminate");
    EXPECT_STREQ(english.messages.text(MsgCantCreateThread), "Cant create thread");
    EXPECT_STREQ(english.messages.text(MsgNoModuleDirectory), "Cant get path to current directory");
    EXPECT_STREQ(english.messages.text(MsgNoticeCaption), "Attention 8-|");
    EXPECT_STREQ(english.messages.text(MsgAlreadyRunning),
                 "Cant create temporary file. Maybe program is already running");
    EXPECT_STREQ(english.messages.text(MsgCantRegisterNextHotkey), "Cant register \"next desktop\" hotkey");
}

TEST(MessageCatalog, EveryOtherSettingGivesRussian)
{
    for (const char* setting : {"rus", "", "ENG", "en", "Eng", "xyz"}) {
        Catalog catalog(setting);
        EXPECT_EQ(hexBytes(catalog.messages.text(MsgTerminate)), hexBytes(russian::Terminate))
            << "language setting \"" << setting << "\"";
    }
}

TEST(MessageCatalog, RussianTextsAreWindows1251Bytes)
{
    Catalog catalog("rus");
    EXPECT_EQ(hexBytes(catalog.messages.text(MsgCantCreateThread)), hexBytes(russian::CantCreateThread));
    EXPECT_EQ(hexBytes(catalog.messages.text(MsgNoModuleDirectory)), hexBytes(russian::NoModuleDirectory));
    EXPECT_EQ(hexBytes(catalog.messages.text(MsgAlreadyRunning)), hexBytes(russian::AlreadyRunning));
    EXPECT_EQ(hexBytes(catalog.messages.text(MsgOnAllDesktops)), hexBytes(russian::OnAllDesktops));
    EXPECT_EQ(hexBytes(catalog.messages.text(MsgErrorCaption)), hexBytes(russian::ErrorCaption));
}

TEST(MessageCatalog, RussianAboutBeginsWithTheDigitZero)
{
    Catalog catalog("rus");
    EXPECT_EQ(catalog.messages.text(MsgAbout)[0], '0');
    EXPECT_EQ(hexBytes(catalog.messages.text(MsgAbout)), hexBytes(russian::About));
}

TEST(MessageCatalog, EveryMessageHasTwoTextsOfItsOwn)
{
    Catalog english("eng");
    Catalog russianCatalog("rus");
    for (int number = 0; number < MessageCatalog::MessageCount; ++number) {
        std::string englishText = english.messages.text(number);
        std::string russianText = russianCatalog.messages.text(number);
        EXPECT_FALSE(englishText.empty()) << "message " << number;
        EXPECT_FALSE(russianText.empty()) << "message " << number;
        EXPECT_NE(englishText, russianText) << "message " << number;
        for (unsigned char byte : englishText)
            EXPECT_LT(byte, 0x80) << "English message " << number << " is not ASCII";
        if (number > 0) {
            EXPECT_NE(russianText, russianCatalog.messages.text(number - 1)) << "message " << number;
        }
    }
}

TEST(MessageCatalog, LanguageIsReadOnEveryLookup)
{
    Catalog catalog("eng");
    EXPECT_STREQ(catalog.messages.text(MsgTerminate), "Terminate");
    std::strcpy(catalog.language, "rus");
    EXPECT_EQ(hexBytes(catalog.messages.text(MsgTerminate)), hexBytes(russian::Terminate));
}

// The notice box returns once answered; it is answered here from a second thread, as a user would.
TEST(MessageBoxes, NoticeBoxCarriesTheNoticeCaptionOfTheCurrentLanguage)
{
    for (const char* setting : {"eng", "rus"}) {
        Catalog catalog(setting);
        std::string caption, text;
        std::thread user([&] {
            HWND box = findMessageBox(GetCurrentProcessId());
            if (box == nullptr)
                return;
            caption = windowText(box);
            text = messageBoxText(box);
            pressButton(box, IDOK);
        });
        catalog.messages.noticeBox("Something to tell");
        user.join();
        EXPECT_EQ(hexBytes(caption), hexBytes(catalog.messages.text(MsgNoticeCaption)));
        EXPECT_EQ(text, "Something to tell");
    }
    EXPECT_EQ(hexBytes(Catalog("rus").messages.text(MsgNoticeCaption)), hexBytes(russian::NoticeCaption));
}

// The fatal box ends its process, so it is shown by a child process: the child's static object
// writes a marker when it is destroyed, which happens only through the runtime's normal exit.
TEST(MessageBoxes, FatalErrorBoxEndsTheProcessWithCodeOneAfterTheCleanUp)
{
    for (const char* setting : {"eng", "rus"}) {
        std::string marker = testDirectory() + "\\fatal-marker-" + setting + ".txt";
        DeleteFileA(marker.c_str());

        ChildProcess child;
        ASSERT_TRUE(child.start("\"" + helperPath("FatalBoxChild.exe") + "\" " + setting + " \"" + marker + "\""));
        HWND box = findMessageBox(child.id());
        ASSERT_NE(box, nullptr) << "no fatal error box appeared";

        Catalog catalog(setting);
        EXPECT_EQ(hexBytes(windowText(box)), hexBytes(catalog.messages.text(MsgErrorCaption)));
        EXPECT_EQ(hexBytes(messageBoxText(box)), hexBytes(catalog.messages.text(MsgAlreadyRunning)));
        EXPECT_FALSE(GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
            << "clean-up ran before the box was answered";

        pressButton(box, IDOK);
        auto exitCode = child.waitForExit(10000);
        ASSERT_TRUE(exitCode.has_value()) << "the process did not end after the box was answered";
        EXPECT_EQ(*exitCode, 1u);
        EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES)
            << "the process-wide object's destructor did not run";
        DeleteFileA(marker.c_str());
    }
}

} // namespace
