#pragma once
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

// Included by a test file: a message box of this process (a fatal error no one would answer) ends
// the process at once, naming the box, instead of hanging until ctest's time limit.
class UnexpectedBoxWatch : public ::testing::Environment {
    void SetUp() override { watcher = std::thread([this] { watch(); }); }
    void TearDown() override { stopping = true, watcher.join(); }
    void watch()
    {
        while (!stopping) {
            if (HWND box = findMessageBox(GetCurrentProcessId(), 200)) {
                std::fprintf(stderr, "\nA message box appeared in the test: \"%s\" - \"%s\"\n",
                             windowText(box).c_str(), messageBoxText(box).c_str());
                std::fflush(nullptr);
                ExitProcess(3);
            }
        }
    }

    std::atomic<bool> stopping{false};
    std::thread watcher;
};

inline ::testing::Environment* const unexpectedBoxWatch = ::testing::AddGlobalTestEnvironment(new UnexpectedBoxWatch);
