// The process-wide objects of Lumenfold. They live in this one file so that they are built in the
// order written here, which is the language's order and not the linker's, and cleaned up at
// process exit in the reverse order. Only the program links this file; tests build their own.
#include "app/Application.h"
#include "app/MessageCatalog.h"

#include <memory>

namespace {
char language[4];
}

// Constant-initialised: usable by every object below, also while they are being built.
const MessageCatalog messages{language};

std::unique_ptr<Application> application{new Application(messages)};
