#pragma once
// A project exported through the real pipeline: built-in effects, the walk
// and the GPU path, the audio walk, the input service and caches, and an
// output service whose save dialog answers from the test's list.
#include "core/base/Singleton.h"
#include "core/event/DialogSeam.h"
#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/BuiltinEffects.h"
#include "effects/BuiltinEffectList.h"
#include "effects/media/MovieLoad.h"
#include "media/image/YUVformat.h"
#include "plugin/input/InputService.h"
#include "plugin/output/OutputHost.h"
#include "plugin/output/OutputService.h"
#include "render/audio/AudioEffects.h"
#include "render/audio/RenderAudioWorker.h"
#include "render/cache/CacheService.h"

#include "core/CoreTestSupport.h"
#include "media/MediaFixtures.h"
#include "render/walk/WalkFixture.h"

#include <deque>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

namespace ExportTest {

inline std::wstring wide(const std::string& path) { return std::filesystem::path(path).wstring(); }

// Save dialogs answered from a list (an empty answer cancels); every
// confirmation answered by confirmAnswer.
class AnsweringDialogs : public Dialog::DialogSeam {
public:
    AnsweringDialogs() { install(this); }
    ~AnsweringDialogs() override { install(nullptr); }

    bool confirm(const std::wstring& text) override {
        questions.push_back(text);
        return confirmAnswer;
    }
    bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                        Dialog::FileDialogTemplate* strip, bool defaultExtension, unsigned flags) override {
        saveDialogs.push_back({title, filter, strip != nullptr, defaultExtension, flags});
        if (strip) {
            strip->procInit();
            stripTexts.push_back(static_cast<Plugin::OutputPlugin*>(strip)->stripText());
        }
        if (answers.empty() || answers.front().empty()) {
            if (!answers.empty()) answers.pop_front();
            return false;
        }
        path = answers.front();
        answers.pop_front();
        return true;
    }

    struct SaveDialog {
        std::wstring title;
        std::wstring filter;
        bool strip;
        bool defaultExtension;
        unsigned flags;
    };
    std::deque<std::wstring> answers;
    std::vector<SaveDialog> saveDialogs;
    std::vector<std::wstring> stripTexts;
    std::vector<std::wstring> questions;
    bool confirmAnswer = true;
};

// The windows' side, recorded.
class RecordingHost : public Plugin::OutputHost {
public:
    RecordingHost() { install(this); }
    ~RecordingHost() override { install(nullptr); }
    void setInputEnable(bool enable, InputHook h) override {
        inputEnabled = enable;
        hook = std::move(h);
    }
    void setProgress(const std::wstring& message, const std::wstring& detail, float) override {
        progress.push_back(message + L"|" + detail);
    }
    void registerWaitHandle(Platform::WaitHandle, std::function<void()>) override { ++waitHandles; }
    void showCancelMenu(const std::wstring& item, std::function<void()> command) override {
        menuItems.push_back(item);
        command();
    }
    void showCompleteBalloon() override { ++balloons; }
    void playSound(const std::wstring& path) override { sounds.push_back(path); }

    bool inputEnabled = true;
    InputHook hook;
    std::vector<std::wstring> progress;
    std::vector<std::wstring> menuItems;
    std::vector<std::wstring> sounds;
    int waitHandles = 0;
    int balloons = 0;
};

// Installed before the fixture's registry is made; the audio output too.
struct InstalledEffects {
    InstalledEffects() {
        Effect::installBuiltinEffects();
        Render::installAudioEffects();
    }
    ~InstalledEffects() {
        for (const Effect::BuiltinEffect& row : Effect::builtinEffects())
            if (row.kind != Effect::EffectKind::Output && row.number != 60)
                Effect::installBuiltinEffect(row.number, nullptr);
        Effect::installBuiltinEffect(12, nullptr);
    }
};

// 64x36 at 30 fps and 48000 Hz: a movie that changes every frame filling the
// picture, and a stereo tone, both over frames 0 to 59.
class ExportFixture : public InstalledEffects, public WalkTest::WalkFixture {
protected:
    ExportFixture() : WalkFixture(8, true) {
        // The program's own colour tables: 36 rows high is BT.601.
        System::IniFile systemConf;
        systemConf.loadFile(wide(MOVANE2_SOURCE_DIR "/conf/system.conf").c_str());
        Media::YUVformat::InitializeColorTable(systemConf);
        scene().videoRate = 30;
        scene().videoScale = 1;
        scene().audioRate = 48000;
        const std::string movie = folder.file("movie.avi");
        EXPECT_TRUE(MediaTest::ffmpeg("-f lavfi -i color=c=black:s=64x36:r=30:d=2 "
                                      "-f lavfi -i anullsrc=r=48000:cl=stereo -t 2 "
                                      "-map 0:v -map 1:a -vf "
                                      "geq=r='128+90*sin((Y+3*N)/9)':g='128+90*cos((Y+2*N)/7)':b='60+X+N' "
                                      "-c:v rawvideo -pix_fmt bgr24 -c:a pcm_s16le " + movie));
        const std::string tone = folder.file("tone.wav");
        EXPECT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=48000:duration=2 "
                                      "-af pan='stereo|c0=c0|c1=0.5*c0' -c:a pcm_s16le " + tone));
        System::Singleton<Cache::CacheService>::getInstance()->audioCache.setCacheSize(16);

        Edit::ObjectPointer video = scene().createObject(L"動画ファイル", 0, 0, 59);
        auto& movieEffect = dynamic_cast<Effect::MovieLoad&>(*video->effectList[0]);
        movieEffect.file.path = wide(movie);
        EXPECT_TRUE(movieEffect.updateMediaInfo());
        Edit::ObjectPointer sound = scene().createObject(L"音声ファイル", 1, 0, 59);
        auto& soundEffect = dynamic_cast<Effect::AudioLoad&>(*sound->effectList[0]);
        soundEffect.file.path = wide(tone);
        EXPECT_TRUE(soundEffect.updateMediaInfo());
        scene().updateLayerObject();

        output.editService = &edit;
        output.videoWorker = &worker;
        output.audioWorker = &audio;
    }
    ~ExportFixture() override {
        output.outputWorker.waitAllTasks();
        output.outputFileEnd();
    }

    // Starts the writer's export to path and ends it as the end command
    // would.
    void exportWith(int writer, const std::string& path) {
        dialogs.answers.push_back(wide(path));
        output.outputFile(writer);
        finish();
    }
    void finish() {
        output.outputWorker.waitAllTasks();
        output.outputFileEnd();
    }

    // The frame's sound through a one-shot request: left and right planes.
    std::vector<std::vector<float>> renderSound(int frame) {
        std::promise<std::vector<std::vector<float>>> result;
        audio.requestRenderingFrame(Render::RenderTaskType::OneShot, frame, [&](int, Media::AudioBuffer& buffer) {
            std::vector<std::vector<float>> planes(2);
            for (int c = 0; c < 2 && buffer.channels > 0; ++c)
                planes[c].assign(buffer.getChannel(c), buffer.getChannel(c) + buffer.samples);
            result.set_value(planes);
        });
        return result.get_future().get();
    }

    MediaTest::TempFolder folder;
    Plugin::InputService input;
    System::Singleton<Cache::CacheService> cache;
    Render::RenderAudioWorker audio{&edit};
    AnsweringDialogs dialogs;
    RecordingHost host;
    CoreTest::LogLines log;
    Plugin::OutputService output;
};

}  // namespace ExportTest
