// SPDX-License-Identifier: GPL-3.0-or-later
// The lock file two programs take turns through: one holder at a time, a
// wait that ends, and no lock where no lock file can be made.

#include <chrono>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

#include "platform/core/file_lock.h"
#include "test_support.h"

using namespace ventoral;
using namespace std::chrono_literals;

TEST(FileLock, OneHolderAtATimeAndAWaitThatEnds)
{
    test::TempDir dir;
    const std::string lockFile = lockFileOf(dir.file("alarms-raised.txt"));
    EXPECT_EQ(lockFile, dir.file("alarms-raised.txt.lock"));

    std::optional<FileLock> held = FileLock::take(lockFile, 0ms);
    ASSERT_TRUE(held);
    // Another taker, in this process or another, waits as long as it may and goes without.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(FileLock::take(lockFile, 50ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);

    // Let go while another waits: that one has it.
    std::thread release([&held] {
        std::this_thread::sleep_for(30ms);
        held.reset();
    });
    EXPECT_TRUE(FileLock::take(lockFile, 5s));
    release.join();
    EXPECT_TRUE(FileLock::take(lockFile, 0ms));   // and let go again when it died

    EXPECT_FALSE(FileLock::take(dir.file("no such folder/x.lock"), 0ms));
}
