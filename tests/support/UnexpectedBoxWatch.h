#pragma once
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

// The program reports a failure it cannot go on from with a box that waits for an answer, and
// in-process tests have no one to answer it: the test would hang until ctest's time limit and
// say nothing about why. Included by a test file, this watch ends the process as soon as a box
// of this process appears, naming the box, so that the failure is immediate and readable.
class UnexpectedBoxWatch : public ::testing::Environment {
public:
    void SetUp() override
    {
        watcher = std::thread([this] {
            while (!stopping) {
                HWND box = findMessageBox(GetCurrentProcessId(), 200);
                if (box == nullptr)
                    continue;
                std::fprintf(stderr, "\nA message box appeared in the test: \"%s\" - \"%s\"\n", windowText(box).c_str(),
                             messageBoxText(box).c_str());
                std::fflush(stderr);
                std::fflush(stdout);
                ExitProcess(3);
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
