#include "framework/CSemaphore.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Threads that take the lock in turns, some with waits short enough to time out now and then:
// nobody is ever inside with another, and the lock is free and whole when all have done.
TEST(Lock, ContendedWaitsThatTimeOutLeaveTheLockWhole)
{
    CSemaphore lock;
    int inside = 0, overlaps = 0, entries = 0;
    std::vector<std::thread> threads;
    for (DWORD timeout : {DWORD(INFINITE), DWORD(INFINITE), DWORD(0), DWORD(1)}) {
        threads.emplace_back([&, timeout] {
            for (int i = 0; i < 3000; ++i) {
                if (!lock.Lock(timeout))
                    continue;
                overlaps += ++inside != 1;
                ++entries;
                if (i % 100 == 0)
                    Sleep(1);
                --inside;
                lock.Unlock();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(overlaps, 0);
    EXPECT_GE(entries, 6000);
    EXPECT_TRUE(lock.Lock(0));
    EXPECT_FALSE(lock.Lock(0)) << "the lock let a second holder in";
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.Unlock()) << "released beyond its count";
}

} // namespace
