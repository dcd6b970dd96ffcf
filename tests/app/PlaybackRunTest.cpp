// A scene with a WAV object played by the program's own services on a
// display of the test's own, the message loop running the player's timer,
// and SDL's file driver as the sound device: the file holds the mix.
#include "app/StartupTable.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effects/media/MovieLoad.h"
#include "media/MediaFixtures.h"
#include "platform/gtk/MessageQueue.h"
#include "render/audio/AudioOutput.h"
#include "render/service/RenderService.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kSamples = kRate * 3 / 2;

// Source sample n as 16-bit values: the left side climbs, the right side
// falls, no two right samples of the first 16384 alike.
std::int16_t sourceLeft(int n) { return static_cast<std::int16_t>(n % 16384 + 1); }
std::int16_t sourceRight(int n) { return static_cast<std::int16_t>(-(n % 16384) - 1); }
float asFloat(std::int16_t value) { return static_cast<float>(value) / 32768.0f; }

TEST(PlaybackRun, ThePlayedSceneReachesTheSoundDeviceAsItsMix) {
    TestSupport::useTestDisplay();
    MediaTest::TempFolder media;
    {
        std::vector<std::int16_t> raw;
        for (int n = 0; n < kSamples; ++n) {
            raw.push_back(sourceLeft(n));
            raw.push_back(sourceRight(n));
        }
        std::ofstream out(media.file("source.raw"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(raw.data()), static_cast<std::streamsize>(raw.size() * 2));
    }
    ASSERT_TRUE(MediaTest::ffmpeg("-f s16le -ar 44100 -ac 2 -i " + media.file("source.raw") +
                                  " -c:a pcm_s16le " + media.file("source.wav")));
    const std::string device = media.file("device.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", device.c_str(), 1);
    unsetenv("SDL_DISKAUDIODELAY");  // the device's own pace

    CoreTest::ProgramFolder folder;
    std::filesystem::copy_file(std::filesystem::path(MOVANE2_SOURCE_DIR) / "conf" / "fonts.conf",
                               folder.program() / "fonts.conf");
    std::vector<App::StartupHolder> holders;
    for (const App::StartupRow& row : App::startupTable()) holders.push_back(row.create());
    {
        auto& edit = *System::Singleton<Edit::EditService>::getInstance();
        Edit::Scene& scene = *edit.getCurrentScene();
        scene.width = 64;
        scene.height = 36;
        scene.audioRate = kRate;
        scene.videoRate = 30;
        scene.videoScale = 1;
        // A second and a half: frames 0 to 44.
        Edit::ObjectPointer object = scene.createObject(Effect::AudioLoad::Name, 0, 0, 44);
        scene.updateLayerObject();
        auto& sound = dynamic_cast<Effect::AudioLoad&>(*object->effectList.at(0));
        const std::string wav = media.file("source.wav");
        sound.file.path = std::wstring(wav.begin(), wav.end());
        ASSERT_TRUE(sound.updateMediaInfo());
        auto& output = dynamic_cast<Effect::AudioOutput&>(*object->effectList.at(1));
        output.volume.setValue(50, 0);
        output.pan.setValue(100, 0);

        Render::MoviePlayer& player = System::Singleton<Render::RenderService>::getInstance()->player;
        // Every edit stops playback first, leaving the cursor where it was.
        edit.setCurrentFrame(7);
        player.play(false);
        ASSERT_TRUE(player.isPlaying());
        {
            Edit::EditScope scope(edit);
        }
        EXPECT_FALSE(player.isPlaying());
        EXPECT_EQ(scene.cursorFrame, 7);

        // The end of the scene stops playback, and the loop with it.
        auto& events = *System::Singleton<Event::EventService>::getInstance();
        int key = 0;
        events.playStateChange.add(&key, [](bool playing) {
            if (!playing) Platform::postQuitMessage(0);
        });
        // The whole scene is rendered ahead before the clock starts, so a
        // loaded machine cannot starve the device.
        player.bufferTime = 3000;
        edit.setCurrentFrame(0);
        player.play(true);
        ASSERT_TRUE(player.isPlaying());
        System::Singleton<Window::WindowService>::getInstance()->processMessage();
        EXPECT_FALSE(player.isPlaying());
        EXPECT_EQ(scene.cursorFrame, 44);
        events.removeListener(&key);
    }
    // The sound device closes with its service.
    while (!holders.empty()) holders.pop_back();

    const std::vector<std::uint8_t> bytes = MediaTest::readFile(device);
    std::vector<float> played(bytes.size() / 4);
    std::memcpy(played.data(), bytes.data(), played.size() * 4);
    ASSERT_GT(played.size(), 2u * kRate / 2);
    // Panned fully right at volume 50: a silent left side and half of the
    // source's right side. Silence stands where the device had nothing.
    std::size_t first = played.size();
    for (std::size_t i = 0; i < played.size(); i += 2) {
        ASSERT_EQ(played[i], 0.0f) << i;
        if (first == played.size() && played[i + 1] != 0.0f) first = i;
    }
    ASSERT_LT(first, played.size());
    // The sound starts with the scene's first sample and runs on unbroken
    // for at least half a second.
    int n = 0;
    for (std::size_t i = first; i + 1 < played.size() && n < kSamples; i += 2, ++n) {
        if (played[i + 1] == 0.0f) break;
        ASSERT_EQ(played[i + 1], asFloat(sourceRight(n)) * 0.5f) << n;
    }
    EXPECT_GE(n, kRate / 2);
}

}  // namespace
