#pragma once
#include "MessageNumbers.h"

// Every text that the program shows at run time, in English and in Russian, and the two message
// boxes through which the program reports problems. The language is read on every lookup, so a
// change of the setting affects every text produced after it.
class MessageCatalog {
public:
    static constexpr int MessageCount = 58;

    // language: the language setting, "eng" or "rus" in practice; empty until the options are read.
    constexpr explicit MessageCatalog(const char* language) : language(language) {}

    // English exactly when the setting is "eng"; Russian for anything else, the empty text included.
    // The Russian texts are Windows-1251 bytes, handed as they are to the ANSI calls.
    const char* text(int number) const;

    // A problem that the user can fix; returns when the box has been closed.
    void noticeBox(const char* text) const;
    // The box of a fatal error, without ending the process: for a failure during the exit clean-up,
    // which must run to its end (calling exit again from inside it would be undefined).
    void showErrorBox(const char* text) const;
    // A problem that ends the program. The process ends through the runtime's normal exit with
    // exit code 1, so that every hidden window is shown again.
    [[noreturn]] void fatalErrorBox(const char* text) const;
    // Set from the moment a fatal error box is shown: its modal loop still dispatches messages,
    // and nothing may start new work then, least of all work that waits for a lock the failed
    // operation may hold.
    static inline bool ending = false;
    // The fatal box for one message, looked up in the language current at the moment of failure.
    [[noreturn]] void fatalError(int number) const { fatalErrorBox(text(number)); }

private:
    const char* language;
};
