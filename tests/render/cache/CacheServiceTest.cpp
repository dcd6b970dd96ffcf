#include "render/cache/CacheService.h"

#include "core/base/Singleton.h"
#include "core/file/IniFile.h"
#include "media/MediaFixtures.h"
#include "render/cache/CacheTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <memory>

namespace {

using Cache::CacheService;

TEST(CacheServiceTest, SizesComeFromTheSettingsFileClampedAndGoBack) {
    System::Singleton<System::IniFile> file;
    System::IniFile& ini = *System::Config::mainSettingsFile();
    ini.loadMemory("[Cache]\nImageCacheSize=-5\nAudioCacheSize=2000000000\nModelCacheSize=abc\nVramCacheSize=0\n");
    {
        System::Singleton<CacheService> holder;
        CacheService& service = *System::Singleton<CacheService>::getInstance();
        EXPECT_EQ(service.imageCache.getCacheSize(), 0);
        EXPECT_EQ(service.imageCache.cache.getLimit(), 0u);
        EXPECT_EQ(service.audioCache.getCacheSize(), Cache::CacheSizeSetting::maxMegabytes);
        EXPECT_EQ(service.audioCache.cache.getLimit(), std::uint64_t{1} << 40);
        EXPECT_EQ(service.modelCache.getCacheSize(), 64);  // malformed: the default
        EXPECT_EQ(service.modelCache.cache.getLimit(), 64u << 20);
        EXPECT_EQ(service.waveformCache.getCacheSize(), 64);  // missing: the default
        EXPECT_EQ(service.vramCache.getCacheSize(), 0);
        service.waveformCache.setCacheSize(5);
        EXPECT_EQ(service.waveformCache.cache.getLimit(), 5u << 20);
    }
    const auto value = [&](const char* key) { return ini.getSection("Cache").findValue(key).text; };
    EXPECT_EQ(value("ImageCacheSize"), "0");
    EXPECT_EQ(value("AudioCacheSize"), "1048576");
    EXPECT_EQ(value("ModelCacheSize"), "64");
    EXPECT_EQ(value("WaveformCacheSize"), "5");
    EXPECT_EQ(value("VramCacheSize"), "0");
}

TEST(CacheServiceTest, DefaultsWithoutASettingsFile) {
    CacheService service;
    EXPECT_EQ(service.imageCache.cache.getLimit(), 768u << 20);
    EXPECT_EQ(service.audioCache.cache.getLimit(), 64u << 20);
    EXPECT_EQ(service.modelCache.cache.getLimit(), 64u << 20);
    EXPECT_EQ(service.waveformCache.cache.getLimit(), 64u << 20);
    EXPECT_EQ(service.vramCache.cache.getLimit(), 384u << 20);
    EXPECT_EQ(service.imageCache.cache.worker().semaphore.getMax(), 16);
    EXPECT_EQ(service.waveformCache.cache.worker().semaphore.getMax(), 2);
}

TEST(CacheServiceTest, TheTransferBuffersArePublishedWhileTheServiceLives) {
    const Cache::ImageReadBuffer* fallback = &Cache::ImageReadBuffer::instance();
    {
        System::Singleton<CacheService> holder;
        CacheService& service = *System::Singleton<CacheService>::getInstance();
        EXPECT_EQ(&Cache::ImageReadBuffer::instance(), &service.imageReadBuffer);
        EXPECT_EQ(&Cache::AudioReadBuffer::instance(), &service.audioReadBuffer);
        EXPECT_EQ(&Cache::ImageWriteBuffer::instance(), &service.imageWriteBuffer);
        EXPECT_EQ(&Cache::AudioWriteBuffer::instance(), &service.audioWriteBuffer);
        // A second set does not take the pointers over.
        Cache::ImageWriteBuffer second;
        EXPECT_EQ(&Cache::ImageWriteBuffer::instance(), &service.imageWriteBuffer);
    }
    EXPECT_EQ(&Cache::ImageReadBuffer::instance(), fallback);
    EXPECT_NE(&Cache::AudioWriteBuffer::instance(), nullptr);
}

TEST(CacheServiceTest, ASceneChangeDropsOnlyScenePicturesAndSound) {
    CacheService service;
    const auto picture = Media::ImageBuffer::create(87, 2, 2);
    const auto block = CacheTest::rampBlock(8, 0);
    service.imageCache.cache.complete({L"*2", 5}, picture, 1);
    service.imageCache.cache.complete({L"/a.png", 0}, picture, 1);
    service.audioCache.cache.complete({L"*2", 0}, block, 1);
    service.audioCache.cache.complete({L"/a.wav", 0}, block, 1);
    service.modelCache.cache.complete({L"*/m.obj", 0}, std::make_shared<Media::ModelBuffer>(), 1);
    // A scene frame still being rendered is stored when it arrives.
    bool registered = false;
    service.imageCache.cache.get({L"*2", 6}, {}, &registered);
    ASSERT_TRUE(registered);

    service.eraseSceneEntries();
    EXPECT_EQ(service.imageCache.cache.getKeys(), (std::vector<Cache::MediaCacheKey>{{L"/a.png", 0}}));
    EXPECT_EQ(service.audioCache.cache.getKeys(), (std::vector<Cache::MediaCacheKey>{{L"/a.wav", 0}}));
    EXPECT_TRUE(service.modelCache.cache.find({L"*/m.obj", 0}));
    EXPECT_EQ(service.imageCache.cache.getTotal(), 1u);
    service.imageCache.completeSceneImage({L"*2", 6}, picture);
    EXPECT_TRUE(service.imageCache.cache.find({L"*2", 6}));
}

TEST(CacheServiceTest, ModelsAreKeptPerFileAndCoordinateChoice) {
    MediaTest::TempFolder folder;
    const std::string path = folder.file("tri.obj");
    std::ofstream(path) << "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 3\nf 2 4 3\n";
    const std::wstring wide(path.begin(), path.end());
    Cache::ModelCache cache;
    const auto plain = cache.getModel(wide, false);
    const auto adjusted = cache.getModel(wide, true);
    ASSERT_TRUE(plain);
    ASSERT_TRUE(adjusted);
    EXPECT_NE(plain, adjusted);
    EXPECT_EQ(cache.getModel(wide, false), plain);
    EXPECT_EQ(cache.cache.getKeys(),
              (std::vector<Cache::MediaCacheKey>{{wide, 0}, {L"*" + wide, 0}}));
    // Two triangles: six vertices of 32 bytes each, per entry.
    EXPECT_EQ(cache.cache.getTotal(), 2u * 6 * 32);
    EXPECT_FALSE(cache.getModel(L"/no/such.obj", false));
    cache.preloadModel(wide + L".missing", true);
    cache.cache.worker().waitAllTasks();
    EXPECT_EQ(cache.cache.getKeys().size(), 2u);
}

class WaveformCacheTest : public ::testing::Test {
protected:
    WaveformCacheTest() {
        // 20 samples at 8 a second: three blocks, the last one partly.
        source.add(L"w.wav", {.sampleCount = 20});
        source.add(L"x.wav", {});
        source.add(L"y.wav", {});
        source.add(L"z.wav", {});
    }
    CacheTest::StubSource source;
    CacheTest::StubScenes scenes;
    Cache::AudioCache audio;
    Cache::WaveformCache waveforms{audio};
};

TEST_F(WaveformCacheTest, AWaveformIsQueuedThenReadyWithoutWaiting) {
    EXPECT_FALSE(waveforms.getWaveform(L"w.wav", 0));
    waveforms.cache.worker().waitAllTasks();
    const auto ready = waveforms.getWaveform(L"w.wav", 0);
    ASSERT_TRUE(ready);
    EXPECT_EQ(ready->count, 3 * 128);
    EXPECT_EQ(waveforms.cache.getTotal(), 3u * 256);
    // Every block went through the audio cache.
    for (int b = 0; b < 3; ++b) EXPECT_TRUE(audio.cache.find({L"w.wav", b}));
}

TEST_F(WaveformCacheTest, NothingIsStoredWhileAScenePlaysOrTheLoadsAreCancelled) {
    scenes.busy = true;
    EXPECT_FALSE(waveforms.getWaveform(L"w.wav", 0));
    waveforms.cache.worker().waitAllTasks();
    EXPECT_FALSE(waveforms.cache.isCachedOrPending({L"w.wav", 0}));
    EXPECT_EQ(source.readsOf(L"w.wav", 0), 0);
    scenes.busy = false;

    // The drain of a scene change ends queued loads at once and lets later
    // ones run.
    waveforms.cancel = true;
    EXPECT_FALSE(waveforms.getWaveform(L"w.wav", 0));
    waveforms.drain();
    EXPECT_FALSE(waveforms.cancel);
    EXPECT_FALSE(waveforms.cache.isCachedOrPending({L"w.wav", 0}));
    waveforms.getWaveform(L"w.wav", 0);
    waveforms.cache.worker().waitAllTasks();
    EXPECT_TRUE(waveforms.getWaveform(L"w.wav", 0));
}

TEST_F(WaveformCacheTest, AFullQueueTakesNoMoreRequests) {
    std::promise<void> open, reached;
    std::shared_future<void> opened = open.get_future().share();
    waveforms.cache.worker().pushTask(0, [&] {
        reached.set_value();
        opened.wait();
    });
    reached.get_future().wait();
    EXPECT_FALSE(waveforms.getWaveform(L"x.wav", 0));
    EXPECT_FALSE(waveforms.getWaveform(L"y.wav", 0));
    EXPECT_FALSE(waveforms.getWaveform(L"z.wav", 0));
    EXPECT_TRUE(waveforms.cache.isCachedOrPending({L"y.wav", 0}));
    EXPECT_FALSE(waveforms.cache.isCachedOrPending({L"z.wav", 0}));
    open.set_value();
    waveforms.cache.worker().waitAllTasks();
    EXPECT_TRUE(waveforms.getWaveform(L"y.wav", 0));
}

}  // namespace
