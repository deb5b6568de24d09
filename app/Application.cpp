#include "Application.h"

#include "MessageCatalog.h"

Application::Application(const MessageCatalog& messages) : messages_(messages) {}

bool Application::start()
{
    return false;
}
