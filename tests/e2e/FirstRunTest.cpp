#include "ProgramDriver.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

using namespace registry;

void runOnce() { ASSERT_TRUE(RunningLumenfold().start()); } // and ended by "Terminate" as the driver goes

// After a first run (its bytes are the options' unit tests') a start writes nothing while all is
// there; then a present value keeps what it holds, and of the missing ones only the option is
// written back: the desktops and the auto-start entry belong to the first run alone.
TEST(FirstRun, ALaterStartWritesOnlyTheMissingOptions)
{
    endStrayLumenfolds();
    resetProgramKeys();
    runOnce();
    auto options = readAll(OptionsKey), desks = readAll(DesksKey);
    ASSERT_TRUE(options.size() == 5 && desks.size() == 3 && read(RunKey, "Lumenfold.exe").exists);
    ULONGLONG optionsWritten = lastWriteTime(OptionsKey), desksWritten = lastWriteTime(DesksKey);
    runOnce();
    EXPECT_EQ(readAll(OptionsKey), options);
    EXPECT_EQ(readAll(DesksKey), desks);
    EXPECT_EQ(lastWriteTime(OptionsKey), optionsWritten);
    EXPECT_EQ(lastWriteTime(DesksKey), desksWritten);

    deleteValue(OptionsKey, "CloseAll");
    write(OptionsKey, "PrevDesk", REG_SZ, "1 37 and more");
    deleteValue(RunKey, "Lumenfold.exe");
    runOnce();
    EXPECT_EQ(read(OptionsKey, "CloseAll"), options["CloseAll"]) << "written back as at the first run";
    EXPECT_EQ(read(OptionsKey, "PrevDesk").data, "1 37 and more");
    EXPECT_FALSE(read(RunKey, "Lumenfold.exe").exists);
    EXPECT_EQ(lastWriteTime(DesksKey), desksWritten);
}

} // namespace
