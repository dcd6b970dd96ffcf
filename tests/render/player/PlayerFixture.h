#pragma once
// The player over the real render workers and GPU path, with a clock that
// moves only when the test moves it and a sound output that records the
// blocks it is handed. The device is SDL's file driver writing one device
// buffer every 200 ms, so a voice does not run dry in real time while the
// test's own clock stands still. A tick runs the player's
// tick, lets the renders it asked for run out, and moves the clock on by
// the timer's 12 ms.
#include "media/audio/XAudio2Service.h"
#include "render/audio/RenderAudioWorker.h"
#include "render/player/MoviePlayer.h"

#include "render/audio/AudioWalkFixture.h"
#include "render/walk/WalkFixture.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

namespace PlayerTest {

// Microseconds that pass only when told; a busy wait moves them by 100.
class FakeClock : public Render::PlayerClock {
public:
    std::int64_t counter() const override { return now.load(); }
    std::int64_t frequency() const override { return 1000000; }
    void pause() override { now.fetch_add(100); }
    void advance(double seconds) { now.fetch_add(static_cast<std::int64_t>(seconds * 1e6)); }

    std::atomic<std::int64_t> now{5000000000};
};

// The sound output, keeping a copy of every block it is handed.
class RecordingOutput : public Media::XAudio2Service {
public:
    void submitBuffer(std::unique_ptr<System::AlignedBuffer> block) override {
        const float* samples = block->as<float>();
        blocks.emplace_back(samples, samples + block->size / sizeof(float));
        XAudio2Service::submitBuffer(std::move(block));
    }

    std::vector<std::vector<float>> blocks;  // interleaved left, right
};

// Holds the render of one frame on its layer until opened.
inline constexpr const wchar_t* kGate = L"図形";
class Gate : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kGate;
    Gate() : EffectBase(kGate, Effect::EffectKind::Input, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Gate>(); }
    void preloadVideo(Render::ObjectContext& context) override {
        if (context.frame != frame) return;
        std::unique_lock lock(mutex());
        holding() = true;
        wake().wait(lock, [] { return open(); });
        holding() = false;
    }

    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::condition_variable& wake() {
        static std::condition_variable c;
        return c;
    }
    static bool& open() {
        static bool value = true;
        return value;
    }
    static bool& holding() {
        static bool value = false;
        return value;
    }
    static bool isHolding() {
        std::lock_guard lock(mutex());
        return holding();
    }
    static void setOpen(bool value) {
        {
            std::lock_guard lock(mutex());
            open() = value;
        }
        wake().notify_all();
    }

    int frame = -1;
};

class PlayerFixture : public WalkTest::WalkFixture {
public:
    PlayerFixture() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (testing::TempDir() + "player-device.raw").c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "200", 1);
        service.registerEffect<Gate>();
        service.registerEffect<AudioTest::Signal>();
        service.registerEffect<Effect::AudioOutput>();
        Gate::setOpen(true);
        auto* events = System::Singleton<Event::EventService>::getInstance();
        events->renderVideoFrame.add(this, [this](Render::RenderTaskType type, int frame) {
            EXPECT_EQ(type, Render::RenderTaskType::Playback);
            const Media::FrameImage* image = player.presentedFrame();
            EXPECT_NE(image, nullptr);
            if (image) {
                EXPECT_EQ(image->image.width, static_cast<std::uint32_t>(scene().width));
            }
            presented.push_back({frame, player.clockSeconds()});
        });
        events->playStateChange.add(this, [this](bool playing) { playStates.push_back(playing); });
    }
    ~PlayerFixture() override {
        Gate::setOpen(true);
        player.stop(false);
        System::Singleton<Event::EventService>::getInstance()->removeListener(this);
    }

    // A tick; then every render it asked for has run, unless the gate holds
    // one (that render finishes once the gate opens). The clock stands.
    // The workers wait while the tick runs, so what it asks for arrives
    // after it, as on a machine where rendering takes longer than a tick,
    // and every run goes the same way.
    void step() {
        const bool held = Gate::isHolding();
        std::vector<std::shared_ptr<std::promise<void>>> pauses;
        if (!held) pauses.push_back(pause(worker.thread));
        pauses.push_back(pause(audio.thread));
        player.onTimer();
        for (auto& p : pauses) p->set_value();
        audio.thread.waitAllTasks();
        if (held) return;
        auto through = std::make_shared<std::promise<void>>();
        std::future<void> done = through->get_future();
        worker.thread.pushTask(oneShot, [through] { through->set_value(); });
        while (done.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            if (Gate::isHolding()) {
                this->held.push_back(std::move(done));
                return;
            }
    }
    // Keeps an idle worker busy until the returned promise is set, or for
    // half a second when the tick stops playback (stop waits for the
    // workers).
    static std::shared_ptr<std::promise<void>> pause(Worker::WorkerThread& thread) {
        auto release = std::make_shared<std::promise<void>>();
        auto running = std::make_shared<std::promise<void>>();
        std::future<void> started = running->get_future();
        thread.pushTask(oneShot, [running, go = release->get_future().share()] {
            running->set_value();
            go.wait_for(std::chrono::milliseconds(500));
        });
        started.wait();
        return release;
    }
    static constexpr int oneShot = static_cast<int>(Render::RenderTaskType::OneShot);
    // A step, then the timer's period passes.
    void tick() {
        step();
        clock->advance(0.012);
    }
    // Ticks until playback ends (or the count runs out).
    void run(int ticks = 1000) {
        for (int i = 0; i < ticks && player.isPlaying(); ++i) tick();
    }
    std::vector<int> presentedFrames() const {
        std::vector<int> frames;
        for (const auto& p : presented) frames.push_back(p.frame);
        return frames;
    }
    // Lets the held render finish, and every render asked for meanwhile.
    void openGate() {
        Gate::setOpen(true);
        for (auto& f : held) f.wait();
        held.clear();
        worker.thread.waitAllTasks();
    }

    struct Presented {
        int frame;
        double clock;
    };

    Render::RenderAudioWorker audio{&edit};
    FakeClock* clock = new FakeClock;
    RecordingOutput output;
    Render::MoviePlayer player{&edit, worker, audio, &output, std::unique_ptr<Render::PlayerClock>(clock)};
    std::vector<Presented> presented;
    std::vector<bool> playStates;
    std::vector<std::future<void>> held;
};

}  // namespace PlayerTest
