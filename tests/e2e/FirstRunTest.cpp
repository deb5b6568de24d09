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

// Strings are handed over without their NUL; see handedOverText for how Wine stores them.
void expectText(const char* key, const char* name, DWORD type, const std::string& text)
{
    registry::Value value = registry::read(key, name);
    EXPECT_EQ(value.type, type) << name;
    EXPECT_EQ(registry::handedOverText(value), text) << name;
}

struct FirstRun : ::testing::Test {
    void SetUp() override { endStrayLumenfolds(); registry::resetProgramKeys(); }
};

TEST_F(FirstRun, WritesEveryDefaultByteForByte)
{
    runOnce();
    const struct { const char *key, *name; DWORD type; const char* text; } defaults[] = {{OptionsKey, "PrevDesk", REG_SZ, "1 37"},         {OptionsKey, "NextDesk", REG_SZ, "1 39"},
                    {OptionsKey, "CloseAll", REG_SZ, "1 46"},         {OptionsKey, "Language", REG_SZ, "eng"},
                    {OptionsKey, "ShowCurDeskMsg", REG_BINARY, "\x01"}, {DesksKey, "VirtDesk1", REG_MULTI_SZ, "1 112\n"},
                    {DesksKey, "VirtDesk2", REG_MULTI_SZ, "1 113\n"}, {DesksKey, "VirtDesk3", REG_MULTI_SZ, "1 114\n"}};
    for (const auto& value : defaults)
        expectText(value.key, value.name, value.type, value.text);
    EXPECT_EQ(registry::readAll(OptionsKey).size(), 5u);
    EXPECT_EQ(registry::readAll(DesksKey).size(), 3u);

    char path[MAX_PATH]; // auto start is on, with the program's full path
    GetFullPathNameA(programPath().c_str(), MAX_PATH, path, nullptr);
    registry::Value run = registry::read(RunKey, "Lumenfold.exe");
    EXPECT_EQ(run.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(lstrcmpiA(registry::handedOverText(run).c_str(), path), 0) << registry::handedOverText(run);
}

// A later start writes nothing while everything is there. Then a present value keeps whatever it
// holds, even text longer than its default, and of the missing ones only the option is written
// back: the desktops and the auto-start entry belong to the first run alone.
TEST_F(FirstRun, ALaterStartWritesOnlyTheMissingOptions)
{
    runOnce();
    auto options = registry::readAll(OptionsKey), desks = registry::readAll(DesksKey);
    auto run = registry::read(RunKey, "Lumenfold.exe");
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
    expectText(OptionsKey, "CloseAll", REG_SZ, "1 46");
    EXPECT_EQ(registry::read(OptionsKey, "PrevDesk").data, "1 37 and more");
    EXPECT_FALSE(registry::read(RunKey, "Lumenfold.exe").exists);
    EXPECT_EQ(registry::lastWriteTime(DesksKey), desksWritten);
}

} // namespace
