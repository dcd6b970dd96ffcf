#include "edit/scope/ProjectLock.h"

#include "core/base/Exception.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Whether another thread could take the lock shared at once.
bool sharedFreeFromOtherThread(Edit::ProjectLock& lock) {
    bool taken = false;
    std::thread([&] {
        taken = lock.tryLockSharedFor(0ms);
        if (taken) lock.unlockShared();
    }).join();
    return taken;
}

TEST(ProjectLock, ReadersShareAndExcludeTheWriter) {
    Edit::ProjectLock lock;
    lock.lockShared();
    EXPECT_TRUE(sharedFreeFromOtherThread(lock));
    lock.unlockShared();

    lock.lock();
    EXPECT_FALSE(sharedFreeFromOtherThread(lock));
    lock.unlock();
    EXPECT_TRUE(sharedFreeFromOtherThread(lock));
}

// Back-to-back readers must not keep a waiting writer out: once the writer
// waits, no new reader gets in, and the writer runs when the reader leaves.
TEST(ProjectLock, AWaitingWriterHoldsNewReadersBack) {
    Edit::ProjectLock lock;
    lock.lockShared();
    std::atomic<bool> written{false};
    std::thread writer([&] {
        lock.lock();
        written = true;
        lock.unlock();
    });
    // Until the writer waits, new readers still get in; after that they
    // are held back. A reader-preferring lock never gets there.
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    bool writerWaits = false;
    while (!writerWaits && std::chrono::steady_clock::now() < deadline) {
        writerWaits = !sharedFreeFromOtherThread(lock);
        if (!writerWaits) std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(writerWaits);
    EXPECT_FALSE(written);
    lock.unlockShared();
    writer.join();
    EXPECT_TRUE(written);
    EXPECT_TRUE(sharedFreeFromOtherThread(lock));
}

TEST(ProjectLock, TakingItAgainOnOneThreadThrowsAndKeepsTheHold) {
    Edit::ProjectLock lock;
    lock.lockShared();
    EXPECT_TRUE(lock.isHeldByThisThread());
    EXPECT_THROW(lock.lockShared(), System::Exception);
    EXPECT_THROW(lock.lock(), System::Exception);
    EXPECT_THROW(lock.tryLockSharedFor(0ms), System::Exception);
    EXPECT_TRUE(lock.isHeldByThisThread());
    lock.unlockShared();
    EXPECT_FALSE(lock.isHeldByThisThread());

    lock.lock();
    EXPECT_THROW(lock.lockShared(), System::Exception);
    EXPECT_THROW(lock.lock(), System::Exception);
    lock.unlock();

    // Another lock is not this one.
    Edit::ProjectLock other;
    lock.lockShared();
    other.lock();
    other.unlock();
    lock.unlockShared();
}

TEST(ProjectLock, TimedSharedAttemptGivesUpWhileAWriterHoldsIt) {
    Edit::ProjectLock lock;
    lock.lock();
    bool taken = true;
    std::thread([&] { taken = lock.tryLockSharedFor(20ms); }).join();
    EXPECT_FALSE(taken);
    lock.unlock();
    std::thread([&] {
        taken = lock.tryLockSharedFor(20ms);
        if (taken) lock.unlockShared();
    }).join();
    EXPECT_TRUE(taken);
}

}  // namespace
