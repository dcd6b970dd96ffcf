// Media caches: a 1080p picture fetched through the image cache cold
// (decoded from the file each time) and warm (cached), and a 10-second
// 48 kHz stereo read resampled from a 44.1 kHz file whose blocks are cached.
// The files are made by the ffmpeg command line once per run.
#include "plugin/input/InputService.h"
#include "render/cache/AudioCache.h"
#include "render/cache/ImageCache.h"

#include "media/MediaFixtures.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct Files {
    Files() {
        picture = folder.file("frame.bmp");
        sound = folder.file("sound.wav");
        ok = MediaTest::ffmpeg("-f lavfi -i testsrc=size=1920x1080 -frames:v 1 -pix_fmt bgr24 " + picture) &&
             MediaTest::ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=44100:duration=21 -ac 2 -c:a pcm_s16le " +
                               sound);
    }
    static Files& get() {
        static Files files;
        return files;
    }
    static std::wstring wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

    MediaTest::TempFolder folder;
    std::string picture, sound;
    bool ok = false;
};

void BM_PictureFetchCold(benchmark::State& state) {
    if (!Files::get().ok) return state.SkipWithError("ffmpeg could not make the files");
    Plugin::InputService input;
    Cache::ImageCache cache;
    cache.setCacheSize(0);  // every fetch decodes again
    const std::wstring path = Files::wide(Files::get().picture);
    for (auto _ : state) {
        auto picture = cache.getImage(path);
        if (!picture) return state.SkipWithError("no picture");
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_PictureFetchCold)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PictureFetchWarm(benchmark::State& state) {
    if (!Files::get().ok) return state.SkipWithError("ffmpeg could not make the files");
    Plugin::InputService input;
    Cache::ImageCache cache;
    const std::wstring path = Files::wide(Files::get().picture);
    if (!cache.getImage(path)) return state.SkipWithError("no picture");
    for (auto _ : state) benchmark::DoNotOptimize(cache.getImage(path));
}
BENCHMARK(BM_PictureFetchWarm)->UseRealTime();

// Speed in percent: 100 interpolates 44.1 kHz up to 48 kHz, 200 averages.
void BM_ResampledRead10s(benchmark::State& state) {
    if (!Files::get().ok) return state.SkipWithError("ffmpeg could not make the files");
    Plugin::InputService input;
    Cache::AudioCache cache;
    const std::wstring path = Files::wide(Files::get().sound);
    const double speed = static_cast<double>(state.range(0)) / 100.0;
    constexpr int count = 480000;
    // Backwards the same ten seconds are played from their end.
    const Cache::AudioSampleRange range{speed < 0 ? count : 0, 48000};
    if (!cache.readAudio(path, 0, range, count, 0, speed)) return state.SkipWithError("no sound");
    for (auto _ : state) benchmark::DoNotOptimize(cache.readAudio(path, 0, range, count, 0, speed));
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ResampledRead10s)->Arg(100)->Arg(200)->Arg(-100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
