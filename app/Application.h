#pragma once
#include "framework/CWinApp.h"

class MessageCatalog;

// The process's application object: start-up, the main loop and the objects it owns.
class Application : public CWinApp {
public:
    explicit Application(const MessageCatalog& messages);
    bool start() override;

private:
    const MessageCatalog& messages_;
};
