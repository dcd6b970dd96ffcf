#include "media/audio/XAudio2Service.h"

#include "core/base/Exception.h"
#include "media/LogCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

template <class Done>
bool waitFor(Done done) {
    const auto end = Clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// A block of `frames` stereo float frames.
std::unique_ptr<System::AlignedBuffer> block(std::uint32_t frames) {
    auto b = std::make_unique<System::AlignedBuffer>();
    b->allocMemory(frames * 8);
    std::memset(b->data, 0, b->size);
    return b;
}

class XAudio2ServiceTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(XAudio2ServiceTest, VoicesAreMadeOnceAndReused) {
    Media::XAudio2Service service;
    EXPECT_EQ(service.voice(), nullptr);  // no engine until the first play
    service.createPlayer(48000);
    const Platform::Audio::AudioVoice* voice = service.voice();
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(service.rate(), 48000u);
    service.createPlayer(48000);
    EXPECT_EQ(service.voice(), voice);
    service.createPlayer(44100);
    EXPECT_EQ(service.voice(), voice);
    EXPECT_EQ(service.rate(), 44100u);
    EXPECT_EQ(voice->rate(), 44100u);

    const std::pair<int, float> volumes[] = {{150, 1.0f}, {-5, 0.0f}, {50, 0.5f}, {100, 1.0f}};
    for (const auto& [percent, level] : volumes) {
        service.setVolume(percent);
        EXPECT_EQ(voice->volume(), level) << percent;
    }
}

TEST_F(XAudio2ServiceTest, StartAndStopAreLoggedOnce) {
    MediaTest::LogCapture log;
    Media::XAudio2Service service;
    service.createPlayer(48000);
    service.play();
    service.play();
    EXPECT_TRUE(service.isPlaying());
    service.stop();
    service.stop();
    EXPECT_FALSE(service.isPlaying());
    EXPECT_EQ(log.count(System::Log::INFO, "Media::XAudio2Service::play", "start audio player"), 1);
    EXPECT_EQ(log.count(System::Log::INFO, "Media::XAudio2Service::stop", "stop audio player"), 1);
}

TEST_F(XAudio2ServiceTest, PlayedBlocksAreReleasedInOrder) {
    Media::XAudio2Service service;
    service.createPlayer(48000);
    ASSERT_NE(service.voice(), nullptr);
    // Two short blocks, then two seconds.
    service.submitBuffer(block(480));
    service.submitBuffer(block(960));
    service.submitBuffer(block(96000));
    EXPECT_EQ(service.heldBlockCount(), 3u);
    EXPECT_EQ(service.heldByteCount(), (480u + 960u + 96000u) * 8);
    service.play();
    ASSERT_TRUE(waitFor([&] { return service.voice()->buffersQueued() == 1; }));
    service.releasePlayedBuffers();
    EXPECT_EQ(service.heldBlockCount(), 1u);
    EXPECT_EQ(service.heldByteCount(), 96000u * 8);
    service.stop();
    service.clearBuffer();
    EXPECT_EQ(service.voice()->buffersQueued(), 0u);
    EXPECT_EQ(service.heldBlockCount(), 0u);
    EXPECT_EQ(service.heldByteCount(), 0u);
}

TEST_F(XAudio2ServiceTest, PlaybackRecoversFromAnUnderrun) {
    Media::XAudio2Service service;
    service.createPlayer(48000);
    service.play();
    service.submitBuffer(block(480));
    const Platform::Audio::AudioVoice* voice = service.voice();
    ASSERT_TRUE(waitFor([&] { return voice->buffersQueued() == 0 && voice->underruns() > 0; }));
    const std::uint64_t before = voice->framesPlayed();
    // Submitting frees the played block and queues the new one.
    service.submitBuffer(block(2400));
    EXPECT_EQ(service.heldBlockCount(), 1u);
    ASSERT_TRUE(waitFor([&] { return voice->framesPlayed() == before + 2400; }));
    service.releasePlayedBuffers();
    EXPECT_EQ(service.heldBlockCount(), 0u);
}

// SDL takes a write that fails on its file driver for a lost device.
TEST_F(XAudio2ServiceTest, ALostDeviceRaisesAndClosesTheVoice) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/full", 1);
    Media::XAudio2Service service;
    service.createPlayer(48000);
    ASSERT_NE(service.voice(), nullptr);
    std::string failure;
    ASSERT_TRUE(waitFor([&] {
        try {
            service.stop();
            service.play();
            service.submitBuffer(block(480));
        } catch (const System::Exception& e) {
            failure = e.what();
            return true;
        }
        return false;
    }));
    const auto raised = [&](const std::string& call, const std::string& place) {
        return failure.rfind(call + "() failed.", 0) == 0 && failure.find("[Place]\n" + place + "()") != std::string::npos;
    };
    EXPECT_TRUE(raised("sourceVoice->Start", "Media::XAudio2Service::play") ||
                raised("sourceVoice->SubmitSourceBuffer", "Media::XAudio2Service::submitBuffer"))
        << failure;
    EXPECT_EQ(service.voice(), nullptr);
    EXPECT_FALSE(service.isPlaying());
    EXPECT_EQ(service.heldBlockCount(), 0u);
    // The next player opens a new device.
    setenv("SDL_DISKAUDIOFILE", (testing::TempDir() + "lost-device.raw").c_str(), 1);
    service.createPlayer(48000);
    EXPECT_NE(service.voice(), nullptr);
    service.play();
    EXPECT_TRUE(service.isPlaying());
}

TEST_F(XAudio2ServiceTest, WithoutADeviceThePlayerRunsSilently) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    MediaTest::LogCapture log;
    Media::XAudio2Service service;
    service.createPlayer(48000);
    EXPECT_EQ(service.voice(), nullptr);
    EXPECT_EQ(log.count(System::Log::WARN, "Media::XAudio2Service::createPlayer", "audio player initialize failed."), 1);
    bool callLogged = false;
    for (const auto& line : log.lines)
        callLogged |= line.type == &System::Log::ERROR &&
                      line.text.rfind("XAudio2Create() failed in Media::XAudio2Service::initialize()", 0) == 0;
    EXPECT_TRUE(callLogged);
    // Nothing plays, nothing throws; held blocks are still freed.
    service.play();
    service.submitBuffer(block(480));
    service.setVolume(50);
    service.stop();
    EXPECT_FALSE(service.isPlaying());
    EXPECT_EQ(log.count(System::Log::INFO, "Media::XAudio2Service::play", "start audio player"), 0);
    service.queueBuffer(block(10));
    service.queueBuffer(block(20));
    EXPECT_EQ(service.heldByteCount(), 240u);
    service.clearBuffer();
    EXPECT_EQ(service.heldBlockCount(), 0u);
    EXPECT_EQ(service.heldByteCount(), 0u);
    // The next attempt tries again.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    service.createPlayer(48000);
    EXPECT_NE(service.voice(), nullptr);
}

}  // namespace
