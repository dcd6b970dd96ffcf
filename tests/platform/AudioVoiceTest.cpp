#include "platform/audio/AudioVoice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <class Done>
bool waitFor(Done done, std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST(AudioVoice, DummyDeviceOpensPlaysInRealTimeAndCloses) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(Platform::Audio::AudioVoice::initializeSubsystem()) << Platform::Audio::AudioVoice::lastError();
    {
        Platform::Audio::AudioVoice voice;
        ASSERT_TRUE(voice.open(48000)) << Platform::Audio::AudioVoice::lastError();
        EXPECT_TRUE(voice.isOpen());
        EXPECT_EQ(voice.rate(), 48000u);

        // A quarter second in two blocks: nothing plays while stopped.
        std::vector<float> first(2 * 4800, 0.25f), second(2 * 7200, -0.25f);
        voice.submit(first.data(), static_cast<std::uint32_t>(first.size() * sizeof(float)));
        voice.submit(second.data(), static_cast<std::uint32_t>(second.size() * sizeof(float)));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(voice.buffersQueued(), 2u);
        EXPECT_EQ(voice.framesPlayed(), 0u);

        const auto started = Clock::now();
        voice.start();
        ASSERT_TRUE(waitFor([&] { return voice.buffersQueued() == 0; }));
        // Played at the device's pace, not at once.
        EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(150));
        EXPECT_EQ(voice.framesPlayed(), 12000u);

        // An empty queue plays silence; the next block plays on.
        ASSERT_TRUE(waitFor([&] { return voice.underruns() > 0; }));
        voice.submit(first.data(), static_cast<std::uint32_t>(first.size() * sizeof(float)));
        ASSERT_TRUE(waitFor([&] { return voice.framesPlayed() == 16800u; }));
        EXPECT_EQ(voice.buffersQueued(), 0u);

        // A new rate keeps the queue.
        voice.stop();
        voice.submit(first.data(), static_cast<std::uint32_t>(first.size() * sizeof(float)));
        ASSERT_TRUE(voice.setRate(44100));
        EXPECT_EQ(voice.rate(), 44100u);
        EXPECT_EQ(voice.buffersQueued(), 1u);
        voice.flush();
        EXPECT_EQ(voice.buffersQueued(), 0u);
        voice.close();
        EXPECT_FALSE(voice.isOpen());
    }
    Platform::Audio::AudioVoice::quitSubsystem();
}

}  // namespace
