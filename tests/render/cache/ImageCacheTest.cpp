#include "render/cache/ImageCache.h"

#include "core/base/Exception.h"
#include "render/cache/CacheTestSupport.h"

#include <gtest/gtest.h>

#include <future>
#include <string>

namespace {

using Cache::ImageCache;

class ImageCacheTest : public ::testing::Test {
protected:
    ImageCacheTest() {
        source.add(L"/m/movie.avi", {});
        source.add(L"/m/still.png", {.frames = 1});
        source.add(L"/m/sound.wav", {.video = false});
        cache.setCacheSize(1);
    }

    CacheTest::StubSource source;
    ImageCache cache;
};

TEST_F(ImageCacheTest, TrackNamesAreTheKeysOfMovieFrames) {
    struct Case {
        int track;
        const wchar_t* name;  // what the file is opened and cached as
    };
    const Case cases[] = {{0, L"/m/movie.avi"}, {1, L":1/m/movie.avi"}, {10, L"::/m/movie.avi"}, {50, L":b/m/movie.avi"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.track);
        source.add(c.name, {});
        // The stand-in file's frame of 0.2 s is 2, and its pixels hold the
        // frame number.
        const auto picture = cache.getMovieFrame(L"/m/movie.avi", c.track, 0.2);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->pixels.data[0], 2);
        EXPECT_EQ(source.readsOf(c.name, 2), 1);
        EXPECT_TRUE(cache.cache.find({c.name, 2}));
    }
    try {
        cache.getMovieFrame(L"/m/movie.avi", 51, 0.0);
        ADD_FAILURE() << "no error";
    } catch (const System::Exception& e) {
        EXPECT_EQ(std::string(e.what()), "invalid track index\n\n[Place]\nPlugin::InputService::MakeMultiTrackFileName()");
    }
    EXPECT_THROW(cache.preloadMovieFrame(L"/m/movie.avi", 51, 0.0), System::Exception);
}

TEST_F(ImageCacheTest, PicturesLoadOnceAndFailuresAreTriedAgain) {
    const auto first = cache.getImage(L"/m/still.png");
    ASSERT_TRUE(first);
    EXPECT_EQ(cache.getImage(L"/m/still.png"), first);
    EXPECT_EQ(source.readsOf(L"/m/still.png", 0), 1);
    // 4 × 2 pixels of 4 bytes, rows padded to 32 bytes.
    EXPECT_EQ(cache.cache.getTotal(), 64u);

    // A preload loads ahead; the read that follows finds it.
    cache.preloadMovieFrame(L"/m/movie.avi", 0, 0.5);
    cache.cache.worker().waitAllTasks();
    EXPECT_EQ(source.readsOf(L"/m/movie.avi", 5), 1);
    EXPECT_TRUE(cache.getMovieFrame(L"/m/movie.avi", 0, 0.5));
    EXPECT_EQ(source.readsOf(L"/m/movie.avi", 5), 1);

    // Unreadable: empty, and asked again next time.
    EXPECT_FALSE(cache.getMovieFrame(L"/m/movie.avi", 0, 5.0));
    EXPECT_FALSE(cache.getMovieFrame(L"/m/movie.avi", 0, 5.0));
    EXPECT_EQ(source.readsOf(L"/m/movie.avi", 50), 2);
    EXPECT_FALSE(cache.getImage(L"/m/sound.wav"));
    EXPECT_FALSE(cache.getImage(L"/m/nothing.png"));
    cache.preloadMovieFrame(L"/m/nothing.avi", 0, 0.0);
    EXPECT_EQ(cache.cache.getKeys().size(), 2u);
}

TEST_F(ImageCacheTest, SceneFramesComeOnlyFromTheRendersTheirPreloadAskedFor) {
    CacheTest::StubScenes scenes;
    Edit::Scene& scene = scenes.add(3);
    scene.videoRate = 30000;
    scene.videoScale = 1001;

    // Reading without a preload registers nothing and waits for nothing.
    EXPECT_FALSE(cache.getMovieFrame(L"*3", 0, 1.0));
    EXPECT_FALSE(cache.getImage(L"*3"));
    EXPECT_TRUE(cache.cache.getKeys().empty());
    EXPECT_FALSE(cache.cache.isCachedOrPending({L"*3", 30}));
    EXPECT_TRUE(scenes.imageRequests.empty());

    // 1 s at 30000/1001 is frame 29.97 → 30; 0.5 s is 14.985 → 15.
    cache.preloadMovieFrame(L"*3", 0, 1.0);
    ASSERT_EQ(scenes.imageRequests.size(), 1u);
    EXPECT_EQ(scenes.imageRequests[0].scene, 3);
    EXPECT_EQ(scenes.imageRequests[0].number, 30);
    auto reader = std::async(std::launch::async, [&] { return cache.getMovieFrame(L"*3", 0, 1.0); });
    auto picture = Media::ImageBuffer::create(87, 8, 8);
    scenes.imageRequests[0].done(picture);
    EXPECT_EQ(reader.get(), picture);
    // Cached: a second preload asks for no render.
    cache.preloadMovieFrame(L"*3", 0, 1.0);
    EXPECT_EQ(scenes.imageRequests.size(), 1u);

    // A failed render ends its waiters with nothing and may be asked again.
    cache.preloadMovieFrame(L"*3", 0, 0.5);
    ASSERT_EQ(scenes.imageRequests.size(), 2u);
    EXPECT_EQ(scenes.imageRequests[1].number, 15);
    auto waiting = std::async(std::launch::async, [&] { return cache.getMovieFrame(L"*3", 0, 0.5); });
    scenes.imageRequests[1].done(nullptr);
    EXPECT_FALSE(waiting.get());
    EXPECT_FALSE(cache.cache.isCachedOrPending({L"*3", 15}));
    cache.preloadMovieFrame(L"*3", 0, 0.5);
    EXPECT_EQ(scenes.imageRequests.size(), 3u);
    scenes.imageRequests[2].done(nullptr);

    // A render that raises leaves no key behind.
    scenes.fail = true;
    EXPECT_THROW(cache.preloadMovieFrame(L"*3", 0, 2.0), std::runtime_error);
    EXPECT_FALSE(cache.cache.isCachedOrPending({L"*3", 60}));
    scenes.fail = false;

    // Names of no scene: no request.
    for (const wchar_t* name : {L"*0", L"*", L"*x", L"*4", L"*99999999999"}) {
        SCOPED_TRACE(testing::Message() << name);
        cache.preloadMovieFrame(name, 0, 1.0);
        EXPECT_FALSE(cache.getMovieFrame(name, 0, 1.0));
        EXPECT_EQ(Cache::getSceneOfName(name), nullptr);
    }
    EXPECT_EQ(scenes.imageRequests.size(), 3u);
    EXPECT_EQ(Cache::getSceneOfName(Cache::makeSceneFileName(3)), &scene);
    EXPECT_EQ(Cache::makeSceneFileName(12), L"*12");
}

}  // namespace
