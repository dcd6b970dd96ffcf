#include "render/cache/PreLoadCache.h"

#include "render/cache/MediaCacheKey.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Cache::MediaCacheKey;
using Buffer = std::string;
using TestCache = System::PreLoadCache<MediaCacheKey, Buffer, Cache::MediaCacheKeyHash>;

MediaCacheKey key(const wchar_t* name, int number = 0) { return {name, number}; }

// A loader that delivers `text` for its key with the given byte count and
// counts its runs.
TestCache::Loader deliver(TestCache& cache, const MediaCacheKey& k, std::string text, std::uint64_t bytes,
                          std::atomic<int>* runs = nullptr) {
    return [&cache, k, text, bytes, runs] {
        if (runs) ++*runs;
        cache.complete(k, std::make_shared<Buffer>(text), bytes);
    };
}

// A gate a loader waits at until the test opens it.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::promise<void> reached;
};

TEST(PreLoadCacheTest, KeysHashByTheirNameAndNumber) {
    // FNV-1a of the 8 number bytes XOR FNV-1a of the name as UTF-16LE: for
    // number 0 and an empty name, the offset basis hashed over eight zero
    // bytes XOR the bare offset basis.
    std::uint64_t zeros = 14695981039346656037ull;
    for (int i = 0; i < 8; ++i) zeros = (zeros ^ 0) * 1099511628211ull;
    EXPECT_EQ(Cache::hashMediaCacheKey(key(L"")), zeros ^ 14695981039346656037ull);
    // "a" adds the bytes 0x61, 0x00.
    std::uint64_t a = 14695981039346656037ull;
    a = (a ^ 0x61) * 1099511628211ull;
    a = (a ^ 0x00) * 1099511628211ull;
    EXPECT_EQ(Cache::hashMediaCacheKey(key(L"a")), zeros ^ a);
    // -1 sign-extends to eight 0xFF bytes.
    std::uint64_t minusOne = 14695981039346656037ull;
    for (int i = 0; i < 8; ++i) minusOne = (minusOne ^ 0xFF) * 1099511628211ull;
    EXPECT_EQ(Cache::hashMediaCacheKey(key(L"", -1)), minusOne ^ 14695981039346656037ull);
    // Case matters, and so does the number.
    EXPECT_FALSE(key(L"A") == key(L"a"));
    EXPECT_FALSE(key(L"a", 1) == key(L"a", 2));
    EXPECT_TRUE(key(L"a", 2) == key(L"a", 2));
}

TEST(PreLoadCacheTest, TwoThreadsAskingForOneKeyShareOneLoad) {
    TestCache cache;
    cache.setLimit(1000);
    Gate gate;
    std::atomic<int> firstRuns{0}, laterRuns{0};
    const MediaCacheKey k = key(L"movie", 3);
    // The first load holds until both readers were started, so they find
    // the key pending (or, if they come late, cached: one load either way).
    cache.preload(k, [&] {
        ++firstRuns;
        gate.opened.wait();
        cache.complete(k, std::make_shared<Buffer>("frame 3"), 10);
    });
    std::vector<std::future<std::shared_ptr<Buffer>>> readers;
    for (int i = 0; i < 2; ++i)
        readers.push_back(std::async(std::launch::async, [&] { return cache.get(k, deliver(cache, k, "x", 1, &laterRuns)); }));
    gate.open.set_value();
    const std::shared_ptr<Buffer> a = readers[0].get();
    const std::shared_ptr<Buffer> b = readers[1].get();
    ASSERT_TRUE(a);
    EXPECT_EQ(*a, "frame 3");
    EXPECT_EQ(a, b);
    EXPECT_EQ(firstRuns, 1);
    EXPECT_EQ(laterRuns, 0);
    // Cached now: the loader is not called again.
    EXPECT_EQ(cache.get(k, deliver(cache, k, "x", 1, &laterRuns)), a);
    EXPECT_EQ(laterRuns, 0);
}

TEST(PreLoadCacheTest, ManyThreadsOnFewKeysLoadEachKeyOnce) {
    TestCache cache;
    cache.setLimit(1u << 20);
    std::atomic<int> runs[4] = {};
    std::vector<std::thread> threads;
    std::vector<std::shared_ptr<Buffer>> results(32);
    for (int t = 0; t < 32; ++t)
        threads.emplace_back([&, t] {
            const MediaCacheKey k = key(L"k", t % 4);
            results[t] = cache.get(k, deliver(cache, k, std::to_string(t % 4), 1, &runs[t % 4]));
        });
    for (std::thread& t : threads) t.join();
    for (int t = 0; t < 32; ++t) {
        ASSERT_TRUE(results[t]);
        EXPECT_EQ(results[t], results[t % 4]);
        EXPECT_EQ(*results[t], std::to_string(t % 4));
    }
    for (const auto& count : runs) EXPECT_EQ(count, 1);
}

TEST(PreLoadCacheTest, LimitZeroDeliversThenEvicts) {
    TestCache cache;  // the limit starts at 0
    std::atomic<int> runs{0};
    const MediaCacheKey k = key(L"still");
    const std::shared_ptr<Buffer> first = cache.get(k, deliver(cache, k, "picture", 100, &runs));
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "picture");
    EXPECT_EQ(cache.getTotal(), 0u);
    EXPECT_FALSE(cache.find(k));
    // Not kept, so the next read loads again.
    const std::shared_ptr<Buffer> second = cache.get(k, deliver(cache, k, "picture", 100, &runs));
    ASSERT_TRUE(second);
    EXPECT_EQ(runs, 2);
    EXPECT_NE(first, second);
}

TEST(PreLoadCacheTest, EvictionFollowsLeastRecentUseByBytes) {
    struct Step {
        char op;       // 'c' complete, 'g' get, 'f' find, 'p' preload, 'l' set limit
        const wchar_t* name;
        std::uint64_t value;  // bytes for 'c', the limit for 'l'
    };
    struct Case {
        const char* what;
        std::uint64_t limit;
        std::vector<Step> steps;
        std::vector<const wchar_t*> kept;  // most recent first
        std::uint64_t total;
    };
    const std::vector<Case> cases = {
        {"exactly at the limit nothing goes", 30, {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"c", 10}}, {L"c", L"b", L"a"}, 30},
        {"one byte over drops the oldest", 29, {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"c", 10}}, {L"c", L"b"}, 20},
        {"a get makes an entry the newest", 30,
         {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"c", 10}, {'g', L"a", 0}, {'c', L"d", 10}}, {L"d", L"a", L"c"}, 30},
        {"a find does too", 30,
         {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"c", 10}, {'f', L"a", 0}, {'c', L"d", 10}}, {L"d", L"a", L"c"}, 30},
        {"a preload does not", 30,
         {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"c", 10}, {'p', L"a", 0}, {'c', L"d", 10}}, {L"d", L"c", L"b"}, 30},
        {"a large entry drops several", 30, {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"c", 10}, {'c', L"d", 25}}, {L"d"}, 25},
        {"an entry above the limit empties the cache", 30, {{'c', L"a", 10}, {'c', L"b", 31}}, {}, 0},
        {"completing again replaces the entry and its bytes", 30,
         {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"a", 5}}, {L"a", L"b"}, 15},
        {"a lower limit trims at once", 30, {{'c', L"a", 10}, {'c', L"b", 10}, {'c', L"c", 10}, {'l', L"", 15}}, {L"c"}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestCache cache;
        cache.setLimit(c.limit);
        int gets = 0;
        for (const Step& s : c.steps) {
            const MediaCacheKey k = key(s.name);
            switch (s.op) {
            case 'c': cache.complete(k, std::make_shared<Buffer>("v"), s.value); break;
            case 'g': EXPECT_TRUE(cache.get(k, [&] { ++gets; })); break;
            case 'f': EXPECT_TRUE(cache.find(k)); break;
            case 'p': cache.preload(k, [&] { ++gets; }); break;
            case 'l': cache.setLimit(s.value); break;
            }
        }
        std::vector<MediaCacheKey> expected;
        for (const wchar_t* name : c.kept) expected.push_back(key(name));
        EXPECT_EQ(cache.getKeys(), expected);
        EXPECT_EQ(cache.getTotal(), c.total);
        EXPECT_EQ(gets, 0);  // cached keys never load
    }
}

TEST(PreLoadCacheTest, AFailedLoadLeavesWaitersEmptyAndTheNextRequestLoadsAgain) {
    TestCache cache;
    cache.setLimit(100);
    const MediaCacheKey k = key(L"broken");
    std::atomic<int> runs{0};
    EXPECT_FALSE(cache.get(k, [&] {
        ++runs;
        throw std::runtime_error("unreadable");
    }));
    EXPECT_FALSE(cache.get(k, [&] { ++runs; }));  // returns without delivering
    // A registration whose completion never comes is abandoned.
    bool registered = false;
    EXPECT_FALSE(cache.get(k, {}, &registered));
    EXPECT_TRUE(registered);
    cache.abandon(k);
    EXPECT_FALSE(cache.isCachedOrPending(k));
    const std::shared_ptr<Buffer> loaded = cache.get(k, deliver(cache, k, "fine", 1, &runs));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, "fine");
    EXPECT_EQ(runs, 3);
    // An empty buffer changes nothing.
    cache.complete(k, nullptr, 5);
    EXPECT_EQ(cache.find(k), loaded);
    EXPECT_EQ(cache.getTotal(), 1u);
}

TEST(PreLoadCacheTest, AKeyRegisteredWithoutLoaderWaitsForItsCompletion) {
    TestCache cache;
    cache.setLimit(100);
    const MediaCacheKey k = key(L"*2", 7);
    bool registered = false;
    EXPECT_FALSE(cache.get(k, {}, &registered));
    EXPECT_TRUE(registered);
    EXPECT_TRUE(cache.isCachedOrPending(k));
    // Registering again: the key is pending, so a second empty-loader get
    // would wait; a reader that must not register waits the same way.
    auto reader = std::async(std::launch::async, [&] { return cache.findOrWait(k); });
    auto loaderReader = std::async(std::launch::async, [&] { return cache.get(k, [] {}); });
    const auto picture = std::make_shared<Buffer>("scene frame");
    cache.complete(k, picture, 10);
    EXPECT_EQ(reader.get(), picture);
    EXPECT_EQ(loaderReader.get(), picture);
    // A reader of an absent key gets nothing at once and registers nothing.
    EXPECT_FALSE(cache.findOrWait(key(L"*2", 8)));
    EXPECT_FALSE(cache.isCachedOrPending(key(L"*2", 8)));
}

TEST(PreLoadCacheTest, StopReleasesEveryWaiterAndKeepsEntries) {
    TestCache cache;
    cache.setLimit(100);
    cache.complete(key(L"kept"), std::make_shared<Buffer>("k"), 1);
    // Keys nobody will complete, with threads waiting for them.
    bool registered = false;
    cache.get(key(L"*1", 1), {}, &registered);
    ASSERT_TRUE(registered);
    std::vector<std::future<std::shared_ptr<Buffer>>> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.push_back(std::async(std::launch::async, [&] { return cache.get(key(L"*1", 1), [] {}); }));
    cache.stop();
    for (auto& w : waiters) EXPECT_FALSE(w.get());
    EXPECT_TRUE(cache.find(key(L"kept")));
    // After stop nothing registers and nothing waits.
    std::atomic<int> runs{0};
    EXPECT_FALSE(cache.get(key(L"new"), deliver(cache, key(L"new"), "n", 1, &runs)));
    cache.preload(key(L"new2"), deliver(cache, key(L"new2"), "n", 1, &runs));
    EXPECT_FALSE(cache.get(key(L"*1", 1), {}, &registered));
    EXPECT_FALSE(registered);
    EXPECT_FALSE(cache.isCachedOrPending(key(L"new")));
    EXPECT_FALSE(cache.isCachedOrPending(key(L"new2")));
    EXPECT_EQ(runs, 0);
}

TEST(PreLoadCacheTest, StopLetsTheRunningLoadFinishAndDropsQueuedOnes) {
    TestCache cache;
    cache.setLimit(100);
    Gate gate;
    cache.preload(key(L"running"), [&] {
        gate.reached.set_value();
        gate.opened.wait();
        cache.complete(key(L"running"), std::make_shared<Buffer>("r"), 1);
    });
    gate.reached.get_future().wait();
    std::atomic<int> queuedRuns{0};
    cache.preload(key(L"queued"), deliver(cache, key(L"queued"), "q", 1, &queuedRuns));
    auto waiter = std::async(std::launch::async, [&] { return cache.get(key(L"queued"), [] {}); });
    auto stopper = std::async(std::launch::async, [&] { cache.stop(); });
    // The worker is told to stop before the running load may finish.
    while (cache.worker().isRunning()) std::this_thread::yield();
    gate.open.set_value();
    stopper.get();
    EXPECT_FALSE(waiter.get());
    EXPECT_EQ(queuedRuns, 0);
    EXPECT_TRUE(cache.find(key(L"running")));
}

TEST(PreLoadCacheTest, TheEndOfALoadDoesNotEndTheKeysNextLoad) {
    TestCache cache;  // limit 0: a delivered key is absent again at once
    const MediaCacheKey k = key(L"frame");
    Gate second;
    // Once the first load delivered, a new load of the key is asked for
    // before the first job has ended.
    const std::shared_ptr<Buffer> first = cache.get(k, [&] {
        cache.complete(k, std::make_shared<Buffer>("first"), 1);
        cache.preload(k, [&] {
            second.reached.set_value();
            second.opened.wait();
            cache.complete(k, std::make_shared<Buffer>("second"), 1);
        });
    });
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "first");
    second.reached.get_future().wait();
    // The first job has ended; the second load is still the key's.
    EXPECT_TRUE(cache.isCachedOrPending(k));
    auto reader = std::async(std::launch::async, [&] { return cache.findOrWait(k); });
    second.open.set_value();
    const std::shared_ptr<Buffer> read = reader.get();
    // The reader joined the second load, or came after it (nothing kept).
    if (read) {
        EXPECT_EQ(*read, "second");
    }
}

TEST(PreLoadCacheTest, AnEntryErasedWhileItsLoadIsPendingIsStoredWhenItArrives) {
    TestCache cache;
    cache.setLimit(100);
    cache.complete(key(L"*1", 0), std::make_shared<Buffer>("old"), 1);
    cache.complete(key(L"file"), std::make_shared<Buffer>("f"), 1);
    bool registered = false;
    cache.get(key(L"*1", 1), {}, &registered);
    {
        std::lock_guard lock(cache.mutex());
        cache.eraseIf([](const MediaCacheKey& k) { return !k.name.empty() && k.name[0] == L'*'; });
    }
    EXPECT_EQ(cache.getKeys(), std::vector<MediaCacheKey>{key(L"file")});
    EXPECT_EQ(cache.getTotal(), 1u);
    cache.complete(key(L"*1", 1), std::make_shared<Buffer>("new"), 2);
    EXPECT_TRUE(cache.find(key(L"*1", 1)));
    EXPECT_EQ(cache.getTotal(), 3u);
}

TEST(PreLoadCacheTest, APostWaitsForRoomInTheBoundedQueue) {
    TestCache cache;
    cache.setLimit(100);
    cache.worker().semaphore.setMax(1);
    Gate gate;
    cache.preload(key(L"a"), [&] {
        gate.reached.set_value();
        gate.opened.wait();
    });
    gate.reached.get_future().wait();
    cache.preload(key(L"b"), [] {});  // takes the one place
    // A third preload waits for a place until the worker moves on.
    auto third = std::async(std::launch::async, [&] { cache.preload(key(L"c"), deliver(cache, key(L"c"), "c", 1)); });
    gate.open.set_value();
    third.get();
    EXPECT_TRUE(cache.get(key(L"c"), [] {}));
}

}  // namespace
