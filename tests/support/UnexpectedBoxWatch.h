#pragma once
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

// A fatal error of the program waits in a message box that no one answers in an in-process test,
// which would hang until ctest's time limit. Included by a test file, this watch ends the process
// as soon as a box of this process appears, naming it.
class UnexpectedBoxWatch : public ::testing::Environment {
public:
    void SetUp() override
    {
        watcher = std::thread([this] {
            while (!stopping) {
                if (HWND box = findMessageBox(GetCurrentProcessId(), 200)) {
                    std::fprintf(stderr, "\nA message box appeared in the test: \"%s\" - \"%s\"\n",
                                 windowText(box).c_str(), messageBoxText(box).c_str());
                    std::fflush(nullptr);
                    ExitProcess(3);
                }
            }
        });
    }
    void TearDown() override
    {
        stopping = true;
        watcher.join();
    }

private:
    std::atomic<bool> stopping{false};
    std::thread watcher;
};

inline ::testing::Environment* const unexpectedBoxWatch = ::testing::AddGlobalTestEnvironment(new UnexpectedBoxWatch);
