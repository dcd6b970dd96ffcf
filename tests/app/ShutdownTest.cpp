// The program's end while a waveform is being computed: the waveform loads
// stop at the end of the message loop, before any service they read goes.
#include "app/Application.h"

#include "core/event/EventService.h"
#include "render/cache/CacheService.h"
#include "render/cache/MediaFileSource.h"
#include "render/cache/SceneSource.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// A sound file so long that its waveform is still being computed when the
// program ends.
class EndlessFile : public Cache::MediaFile {
public:
    std::shared_ptr<Media::ImageBuffer> readVideo(int) override { return nullptr; }
    std::shared_ptr<Media::AudioBlockBuffer> readAudio(int) override { return nullptr; }
    int timeToFrame(double) override { return 0; }
    int getSampleRate() const override { return 1000; }
    std::int64_t getSampleCount() const override { return 1000000000; }
};

class EndlessSource : public Cache::MediaFileSource {
public:
    std::shared_ptr<Cache::MediaFile> open(const std::wstring&, int) const override {
        return std::make_shared<EndlessFile>();
    }
    std::wstring makeTrackName(const std::wstring& path, int) const override { return path; }
};

// Stands for the render service's scene source: counts the calls the
// waveform load makes, and those made after it went.
class ProbeScenes : public Cache::SceneSource {
public:
    Edit::Scene* getScene(int) const override { return nullptr; }
    void createSceneImage(Edit::Scene&, int, ImageDone done) override { done(nullptr); }
    void createSceneAudioBlock(Edit::Scene&, int, AudioDone done) override { done(nullptr); }
    bool isBusy() const override {
        ++calls;
        if (released) ++lateCalls;
        return false;
    }
    mutable std::atomic<int> calls{0};
    mutable std::atomic<int> lateCalls{0};
    std::atomic<bool> released{false};
    std::atomic<bool> loaderRunningAtRelease{true};
};

ProbeScenes probe;
EndlessSource endless;

struct MediaRow {
    MediaRow() { Cache::setMediaFileSource(&endless); }
    ~MediaRow() { Cache::setMediaFileSource(nullptr); }
};

struct ScenesRow {
    ScenesRow() { Cache::setSceneSource(&probe); }
    ~ScenesRow() {
        Cache::CacheService& caches = *System::Singleton<Cache::CacheService>::getInstance();
        probe.loaderRunningAtRelease = caches.waveformCache.cache.worker().isRunning();
        probe.released = true;
        Cache::setSceneSource(nullptr);
    }
};

// Starts a waveform at the program's begin and returns once it is under way.
struct WaveformAtBegin {
    WaveformAtBegin() {
        System::Singleton<Event::EventService>::getInstance()->applicationBegin.add(this, [] {
            auto* caches = System::Singleton<Cache::CacheService>::getInstance();
            EXPECT_EQ(caches->waveformCache.getWaveform(L"/endless.wav", 0), nullptr);
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (probe.calls < 3 && std::chrono::steady_clock::now() < until) std::this_thread::yield();
        });
    }
    ~WaveformAtBegin() { System::Singleton<Event::EventService>::getInstance()->applicationBegin.remove(this); }
};

template <class T>
App::StartupRow row(const char* name) {
    return {name, &App::makeHolder<T>};
}

TEST(Shutdown, AWaveformLoadRunningAtTheEndStopsBeforeTheServicesItReadsGo) {
    TestSupport::useTestDisplay();
    const App::StartupRow table[] = {row<Event::EventService>("events"), row<Cache::CacheService>("caches"),
                                     row<MediaRow>("media"), row<ScenesRow>("scenes"),
                                     row<WaveformAtBegin>("waveform")};
    EXPECT_EQ(App::run(table, "movane2"), 0);
    EXPECT_GE(probe.calls, 3);
    EXPECT_FALSE(probe.loaderRunningAtRelease);
    EXPECT_EQ(probe.lateCalls, 0);
}

}  // namespace
