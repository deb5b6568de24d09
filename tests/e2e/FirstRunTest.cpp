#include "ProgramDriver.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

using registry::DesksKey;
using registry::OptionsKey;
using registry::RunKey;

// Starts the program, lets it reach its main loop and ends it as the tray menu would.
void runOnce()
{
    RunningLumenfold lumenfold;
    ASSERT_TRUE(lumenfold.start());
    lumenfold.terminate();
    ASSERT_EQ(lumenfold.waitForExit(), 0u);
}

// After a first run (its bytes are the options' unit tests') a start writes nothing while all is
// there; then a present value keeps what it holds, and of the missing ones only the option is
// written back: the desktops and the auto-start entry belong to the first run alone.
TEST(FirstRun, ALaterStartWritesOnlyTheMissingOptions)
{
    endStrayLumenfolds();
    registry::resetProgramKeys();
    runOnce();
    auto options = registry::readAll(OptionsKey), desks = registry::readAll(DesksKey);
    auto run = registry::read(RunKey, "Lumenfold.exe");
    EXPECT_EQ(options.size(), 5u);
    EXPECT_EQ(desks.size(), 3u);
    EXPECT_TRUE(run.exists);
    ULONGLONG optionsWritten = registry::lastWriteTime(OptionsKey), desksWritten = registry::lastWriteTime(DesksKey);
    runOnce();
    EXPECT_EQ(registry::readAll(OptionsKey), options);
    EXPECT_EQ(registry::readAll(DesksKey), desks);
    EXPECT_EQ(registry::read(RunKey, "Lumenfold.exe"), run);
    EXPECT_EQ(registry::lastWriteTime(OptionsKey), optionsWritten);
    EXPECT_EQ(registry::lastWriteTime(DesksKey), desksWritten);

    registry::deleteValue(OptionsKey, "CloseAll");
    registry::write(OptionsKey, "PrevDesk", REG_SZ, "1 37 and more");
    registry::deleteValue(RunKey, "Lumenfold.exe");
    runOnce();
    EXPECT_EQ(registry::read(OptionsKey, "CloseAll"), options["CloseAll"]) << "written back as at the first run";
    EXPECT_EQ(registry::read(OptionsKey, "PrevDesk").data, "1 37 and more");
    EXPECT_FALSE(registry::read(RunKey, "Lumenfold.exe").exists);
    EXPECT_EQ(registry::lastWriteTime(DesksKey), desksWritten);
}

} // namespace
