// Frame requests of the video render worker: which requests render, in
// which order, and the buffers of nested renders.
#include "render/service/RenderVideoWorker.h"
#include "render/service/ResourceCache.h"

#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <vector>

namespace {

class RenderVideoWorkerTest : public WalkTest::WalkFixture {
protected:
    // Posts a request whose frame is recorded when its callback runs.
    void request(Render::RenderTaskType type, int frame) {
        worker.requestRenderingFrame(type, frame, [this](int done, Media::RenderBuffer&, Anchor::AnchorList&) {
            std::lock_guard lock(mutex_);
            rendered_.push_back(done);
        });
    }
    // Holds "RenderVideoWorker" inside a one-shot request until released.
    void block() {
        worker.requestRenderingFrame(Render::RenderTaskType::OneShot, 0,
                                     [this](int, Media::RenderBuffer&, Anchor::AnchorList&) {
                                         started_.set_value();
                                         release_.get_future().wait();
                                     });
        started_.get_future().wait();
    }
    void unblock() { release_.set_value(); }
    int failuresReported() {
        int reported = 0;
        for (const auto& line : env.log.of(System::Log::ERROR))
            if (line.tag == "Render::RenderVideoWorker::renderFrame" &&
                line.text.find("preload failed") != std::string::npos)
                ++reported;
        return reported;
    }
    // The frames called back, once everything posted so far has run.
    std::vector<int> finish() {
        worker.thread.waitAllTasks();
        std::lock_guard lock(mutex_);
        return rendered_;
    }

private:
    std::mutex mutex_;
    std::vector<int> rendered_;
    std::promise<void> started_;
    std::promise<void> release_;
};

TEST_F(RenderVideoWorkerTest, OnlyTheNewestPreviewRequestRendersAfterTheRunningFrame) {
    place(0, 0, 100);
    block();
    request(Render::RenderTaskType::Preview, 1);
    request(Render::RenderTaskType::OneShot, 7);  // never dropped
    request(Render::RenderTaskType::Preview, 2);
    request(Render::RenderTaskType::Preview, 3);
    unblock();
    EXPECT_EQ(finish(), (std::vector<int>{7, 3}));
}

TEST_F(RenderVideoWorkerTest, PlaybackRequestsOlderThanThePlaybackPositionAreSkipped) {
    worker.setPlaybackPosition(12);
    request(Render::RenderTaskType::Playback, 10);
    request(Render::RenderTaskType::Playback, 12);
    request(Render::RenderTaskType::Preview, 10);
    EXPECT_EQ(finish(), (std::vector<int>{12, 10}));
}

TEST_F(RenderVideoWorkerTest, AnEmptySceneGivesAClearedFrameOfTheScenesSize) {
    scene().width = 10;
    scene().height = 6;
    const std::vector<WalkTest::Rgba> pixels = render(0);
    ASSERT_EQ(pixels.size(), 60u);
    for (const WalkTest::Rgba& pixel : pixels) MediaTest::expectNear(pixel, {0, 0, 0, 0});
}

TEST_F(RenderVideoWorkerTest, ARenderingBufferIsSetWhenDrawnAndWhenItsRenderIsDropped) {
    place(0, 0, 10).first->color = {0, 1, 0, 1};
    std::shared_ptr<Render::RenderVideoWorker::RenderingBuffer> buffer;
    std::promise<void> made;
    worker.thread.pushTask(3, [&] {
        worker.scenesInProgress.clear();
        buffer = worker.createRenderingBuffer(scene(), 0, 5, 0);
        made.set_value();
    });
    made.get_future().wait();
    buffer->wait();
    EXPECT_EQ(buffer->buffer.getWidth(), 64);
    MediaTest::expectNear(read(*buffer->buffer.getTexture())[18 * 64 + 32], {0, 1, 0, 1});

    // A render whose drawing never runs still lets its waiters go.
    std::promise<void> hold;
    std::shared_future<void> held = hold.get_future().share();
    worker.objectWorker().pushTask(0, [held] { held.wait(); });
    std::shared_ptr<Render::RenderVideoWorker::RenderingBuffer> dropped;
    std::promise<void> madeAgain;
    worker.thread.pushTask(3, [&] {
        worker.scenesInProgress.clear();
        dropped = worker.createRenderingBuffer(scene(), 0, 0, 0);
        madeAgain.set_value();
    });
    // The walk blocks on the full queue only beyond 8 tasks; it returns.
    madeAgain.get_future().wait();
    std::thread stopper([&] { worker.objectWorker().stop(); });
    hold.set_value();
    stopper.join();
    dropped->wait();
    EXPECT_TRUE(dropped->isSet());
}

TEST_F(RenderVideoWorkerTest, AWalkThatRaisesLetsItsObjectTasksFinishFirst) {
    for (int layer = 0; layer < 6; ++layer) place(layer, 0, 10).first->width = 64;
    place(6, 0, 10).first->failPreload = true;
    request(Render::RenderTaskType::OneShot, 0);
    // The frame's target and cache stayed until every drawing task ran; the
    // callback never came and the worker goes on.
    EXPECT_TRUE(finish().empty());
    EXPECT_EQ(failuresReported(), 1);
    dynamic_cast<WalkTest::Picture&>(*objectAt(6, 0)->effectList[0]).failPreload = false;
    EXPECT_EQ(render(0).size(), 64u * 36u);
}

// Playing through a broken object must not raise a box for every frame.
TEST_F(RenderVideoWorkerTest, ARunOfFailingFramesIsReportedOnceAndTheCallerKeepsItsPicture) {
    place(0, 0, 100).first->failPreload = true;
    for (int frame = 0; frame < 5; ++frame) request(Render::RenderTaskType::Playback, frame);
    EXPECT_TRUE(finish().empty());
    EXPECT_EQ(failuresReported(), 1);

    // A good frame ends the run; the next failure is news again.
    auto& picture = dynamic_cast<WalkTest::Picture&>(*objectAt(0, 0)->effectList[0]);
    picture.failPreload = false;
    request(Render::RenderTaskType::Preview, 5);
    EXPECT_EQ(finish(), (std::vector<int>{5}));
    picture.failPreload = true;
    request(Render::RenderTaskType::Preview, 6);
    request(Render::RenderTaskType::Preview, 7);
    EXPECT_EQ(finish(), (std::vector<int>{5}));
    EXPECT_EQ(failuresReported(), 2);
}

TEST(ResourceCacheTest, EntriesAreDroppedLeastRecentlyUsedFirstByPixelWeight) {
    Render::ResourceCache cache(100);
    auto a = std::make_shared<Media::ResourceBuffer>(0u, 0u, DXGI_FORMAT_R16G16B16A16_FLOAT);
    auto b = std::make_shared<Media::ResourceBuffer>(0u, 0u, DXGI_FORMAT_R16G16B16A16_FLOAT);
    auto c = std::make_shared<Media::ResourceBuffer>(0u, 0u, DXGI_FORMAT_R16G16B16A16_FLOAT);
    cache.add("a", a, 40);
    cache.add("b", b, 40);
    EXPECT_EQ(cache.find("a"), a);  // now b is the least recently used
    cache.add("c", c, 40);
    EXPECT_EQ(cache.find("b"), nullptr);
    EXPECT_EQ(cache.find("a"), a);
    EXPECT_EQ(cache.getTotalWeight(), 80);
    // The same name replaces its entry and its weight.
    cache.add("a", b, 10);
    EXPECT_EQ(cache.find("a"), b);
    EXPECT_EQ(cache.getTotalWeight(), 50);
    // A picture heavier than the limit alone leaves the cache empty.
    cache.add("huge", a, 101);
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_EQ(cache.getTotalWeight(), 0);
}

using ResourceCacheBufferTest = MediaTest::GpuTest;

TEST_F(ResourceCacheBufferTest, NamedBuffersAreReusedAtTheSameSizeAndRemadeAtAnother) {
    Render::ResourceCache cache(1000);
    const auto first = cache.getBuffer("mask", 10, 10);
    EXPECT_EQ(cache.getBuffer("mask", 10, 10), first);
    const auto other = cache.getBuffer("mask", 20, 10);
    EXPECT_NE(other, first);
    EXPECT_EQ(other->getWidth(), 20u);
    EXPECT_EQ(cache.getTotalWeight(), 200);
}

}  // namespace
