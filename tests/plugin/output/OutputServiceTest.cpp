// The output service around real exports: the save dialog, one export at a
// time, the input block and its cancel questions, progress, the outcome of
// an export (complete, cancelled, failed) and what each outcome leaves.
#include "plugin/output/ExportFixture.h"
#include "plugin/output/OutputTestSupport.h"

#include "core/file/IniFile.h"
#include "plugin/output/JpgFileSave.h"
#include "plugin/output/PngFileSave.h"
#include "plugin/output/SequentialFileSave.h"
#include "render/service/RenderSceneSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

using namespace ExportTest;
namespace fs = std::filesystem;

constexpr const char* kEnd = "Plugin::OutputService::outputFileEnd";
constexpr UINT kClose = 0x0010, kKeyDown = 0x0100, kRightButtonUp = 0x0205;

class OutputServiceTest : public ExportFixture {
protected:
    int ended(const char* text) { return log.count(System::Log::INFO, kEnd, text); }

    // Holds the video render worker until released, so an export stays
    // running.
    void holdRenderer() {
        worker.thread.pushTask(3, [this] { released.get_future().wait(); });
    }
    std::promise<void> released;
};

TEST_F(OutputServiceTest, WritersRegisterInOrderWithTheirSections) {
    ASSERT_EQ(output.plugins.size(), 4u);
    const wchar_t* names[] = {L"AVIファイル出力", L"PNGファイル出力", L"JPEGファイル出力", L"連番ファイル出力"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(output.plugins[i]->name, names[i]);
        EXPECT_EQ(output.plugins[i]->order, i);
        EXPECT_EQ(output.plugins[i]->section, "Output." + System::String::toUtf8(names[i]));
    }
    EXPECT_EQ(output.registerCount, 4);
    EXPECT_THROW(output.outputFile(4), System::Exception);
    EXPECT_THROW(output.outputFile(-1), System::Exception);
}

TEST_F(OutputServiceTest, CancelledSaveDialogStartsNothing) {
    dialogs.answers.push_back(L"");
    output.outputFile(0);
    EXPECT_FALSE(output.isOutputting());
    EXPECT_TRUE(host.inputEnabled);
    EXPECT_TRUE(host.progress.empty());
    for (const auto& line : log.of(System::Log::INFO)) EXPECT_NE(line.tag, "Plugin::OutputService::outputFile");
    // The AVI writer's dialog: its filter, its name, the strip with the
    // summary and the settings, the default extension and the overwrite
    // question.
    ASSERT_EQ(dialogs.saveDialogs.size(), 1u);
    const auto& shown = dialogs.saveDialogs[0];
    EXPECT_EQ(shown.title, L"AVIファイル出力");
    EXPECT_EQ(shown.filter, std::wstring(L"AVI File (*.avi)\0*.avi\0\0", 24));
    EXPECT_TRUE(shown.strip);
    EXPECT_TRUE(shown.defaultExtension);
    EXPECT_EQ(shown.flags, Dialog::OFN_OVERWRITEPROMPT);
    EXPECT_EQ(dialogs.stripTexts.at(0), L"64x36 / 30fps / 48khz / 00:02.00 / Video: RGB24bit / Audio: PCM16bit");
}

TEST_F(OutputServiceTest, OneExportAtATimeWithInputBlockedAndProgressShown) {
    holdRenderer();
    const std::string path = folder.file("held.avi");
    dialogs.answers.push_back(wide(path));
    output.outputFile(0);
    EXPECT_TRUE(output.isOutputting());
    EXPECT_FALSE(host.inputEnabled);
    ASSERT_TRUE(host.hook);
    EXPECT_EQ(host.waitHandles, 1);
    ASSERT_EQ(host.progress.size(), 1u);
    // The total is the writer's to set once it runs.
    EXPECT_EQ(host.progress[0].rfind(L"ファイル出力中|0.00% (0/", 0), 0u) << host.progress[0];
    EXPECT_EQ(log.count(System::Log::INFO, "Plugin::OutputService::outputFile",
                        "export file start : " + path), 1);

    // Waveforms wait while the export runs.
    Render::RenderSceneSource scenes(worker, &audio);
    EXPECT_TRUE(scenes.isBusy());

    // A second start asks nothing and starts nothing.
    output.outputFile(0);
    EXPECT_EQ(dialogs.saveDialogs.size(), 1u);

    // Keys other than Escape pass unasked; the hook never handles a message.
    EXPECT_FALSE(host.hook(nullptr, kKeyDown, 'A', 0));
    EXPECT_TRUE(dialogs.questions.empty());

    released.set_value();
    finish();
    EXPECT_FALSE(output.isOutputting());
    EXPECT_TRUE(host.inputEnabled);
    EXPECT_EQ(host.progress.back(), L"|");
    EXPECT_FALSE(scenes.isBusy());
    EXPECT_EQ(ended("export file complete"), 1);
    EXPECT_EQ(host.balloons, 1);
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(OutputServiceTest, ConfirmedCancelEndsWithACompleteShorterFile) {
    holdRenderer();
    const std::string path = folder.file("cancel.avi");
    dialogs.answers.push_back(wide(path));
    output.outputFile(0);

    // Answering Cancel changes nothing.
    dialogs.confirmAnswer = false;
    EXPECT_FALSE(host.hook(nullptr, kClose, 0, 0));
    EXPECT_FALSE(output.currentOutput->cancel);
    // Escape, then the popup item: asked each time until confirmed, then no
    // more.
    dialogs.confirmAnswer = true;
    EXPECT_FALSE(host.hook(nullptr, kKeyDown, 0x1B, 0));
    EXPECT_TRUE(output.currentOutput->cancel);
    EXPECT_FALSE(host.hook(nullptr, kRightButtonUp, 0, 0));
    EXPECT_FALSE(host.hook(nullptr, kClose, 0, 0));
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[0], L"ファイル出力を中断しますか？");
    EXPECT_EQ(host.menuItems, std::vector<std::wstring>{L"ファイル出力を中断"});

    released.set_value();
    finish();
    EXPECT_EQ(output.lastOutcome(), Plugin::OutputService::Outcome::Cancelled);
    EXPECT_EQ(ended("export file cancel"), 1);
    EXPECT_EQ(ended("export file complete"), 0);
    EXPECT_EQ(host.balloons, 0);
    // The cancel came before the writer went past the frame it was waiting
    // for: a whole file of at most that frame, its index and header saying so.
    EXPECT_EQ(OutputTest::probeStream(path, "v:0")["codec_tag_string"], "[0][0][0][0]");
    const OutputTest::Bytes bytes = MediaTest::readFile(path);
    const auto chunks = OutputTest::walk(bytes, 0, bytes.size());
    const std::size_t frames = OutputTest::select(chunks, "00db").size();
    EXPECT_LE(frames, 1u);
    const auto index = OutputTest::select(chunks, "idx1");
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index[0].size, frames * 2 * 16);
    EXPECT_EQ(OutputTest::u32(bytes, OutputTest::select(chunks, "avih")[0].data() + 16), frames);
    EXPECT_EQ(OutputTest::u32(bytes, 4), bytes.size() - 8);
}

TEST_F(OutputServiceTest, FullDiskFailsWithoutLeavingAFile) {
    const std::string path = folder.file("full.avi");
    {
        // Room for the headers and a few frames, not for 60.
        CoreTest::FileSizeLimit limit(64 * 1024);
        exportWith(0, path);
    }
    EXPECT_EQ(output.lastOutcome(), Plugin::OutputService::Outcome::Failed);
    EXPECT_EQ(ended("export file failed"), 1);
    EXPECT_EQ(ended("export file complete"), 0);
    EXPECT_EQ(host.balloons, 0);
    EXPECT_TRUE(host.inputEnabled);
    EXPECT_FALSE(fs::exists(path));
    // The failure leaves nothing half-written beside the fixtures.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(folder.file("x")).parent_path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"movie.avi", "tone.wav"}));

    // The next export starts afresh and completes.
    exportWith(0, path);
    EXPECT_EQ(output.lastOutcome(), Plugin::OutputService::Outcome::Complete);
    EXPECT_EQ(OutputTest::probeStream(path, "v:0")["nb_read_frames"], "60");
}

TEST_F(OutputServiceTest, CompletionSoundFromTheEditSettings) {
    // The setting as the edit service holds it now, not as it was loaded.
    edit.outputCompleteSoundFile = L"/sounds/done.wav";
    exportWith(0, folder.file("sound.avi"));
    EXPECT_EQ(host.sounds, std::vector<std::wstring>{L"/sounds/done.wav"});
    // Stills end complete but without notice.
    exportWith(1, folder.file("still.png"));
    EXPECT_EQ(ended("export file complete"), 2);
    EXPECT_EQ(host.sounds.size(), 1u);
    EXPECT_EQ(host.balloons, 1);
}

// The stills show the cursor frame even with a selection; the sequence
// writes the selection, two digits for its 20 frames.
TEST_F(OutputServiceTest, StillsAndSequenceHoldTheRenderedFrames) {
    scene().cursorFrame = 17;
    scene().selectStartFrame = 30;
    scene().selectEndFrame = 49;
    const std::vector<MediaTest::Rgba> cursor = render(17);

    const std::string png = folder.file("still.png"), jpg = folder.file("still.jpg");
    exportWith(1, png);
    exportWith(2, jpg);
    const auto decode = [&](const std::string& file) {
        const std::string raw = folder.file("still.raw");
        EXPECT_TRUE(MediaTest::ffmpeg("-i '" + file + "' -f rawvideo -pix_fmt rgba " + raw));
        return MediaTest::readFile(raw);
    };
    const auto worst = [&](const OutputTest::Bytes& rgba, const std::vector<MediaTest::Rgba>& expected) {
        float diff = 0;
        for (std::size_t i = 0; i < expected.size(); ++i)
            for (int c = 0; c < 3; ++c) diff = std::max(diff, std::fabs(rgba.at(i * 4 + c) / 255.0f - expected[i][c]));
        return diff;
    };
    EXPECT_LE(worst(decode(png), cursor), 1.3f / 255);
    EXPECT_LE(worst(decode(jpg), cursor), 24.0f / 255);  // lossy at quality 90
    EXPECT_EQ(OutputTest::probeStream(png, "v:0")["pix_fmt"], "rgba");

    // The strip of the sequence writer: no sample rate, the selection's
    // length and mark.
    exportWith(3, folder.file("clip.png"));
    EXPECT_EQ(dialogs.stripTexts.back(), L"64x36 / 30fps / 00:00.66(選択範囲) / PNG透明色あり / JPEG品質:90");
    EXPECT_FALSE(dialogs.saveDialogs.back().defaultExtension);
    EXPECT_EQ(dialogs.saveDialogs.back().flags, 0u);
    for (int i = 0; i < 20; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "clip%02d.png", i);
        ASSERT_TRUE(fs::exists(folder.file(name))) << name;
    }
    EXPECT_FALSE(fs::exists(folder.file("clip20.png")));
    EXPECT_LE(worst(decode(folder.file("clip05.png")), render(35)), 1.3f / 255);
    EXPECT_EQ(ended("export file complete"), 3);

    // Over the existing images: asked once; Cancel brings the dialog back,
    // and cancelling that starts nothing.
    dialogs.confirmAnswer = false;
    dialogs.answers = {wide(folder.file("clip.png")), L""};
    output.outputFile(3);
    EXPECT_FALSE(output.isOutputting());
    EXPECT_EQ(dialogs.questions, std::vector<std::wstring>{L"同名のファイルが存在しています\n上書きしますか？"});
}

// A fetch asks for the frames up to half the preload size ahead; a frame
// already there is not rendered again.
TEST_F(OutputServiceTest, FetchesLookAheadThroughThePreloaders) {
    Plugin::RenderFrameSource source(worker, audio, output.videoPreloader, output.audioPreloader, 59);
    source.setVideoPreloadSize(0);
    auto first = source.getVideoFrame(10, 88, true);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->width, 64u);
    output.videoPreloader.worker().waitAllTasks();
    EXPECT_EQ(output.videoPreloader.getKeys(), std::vector<int>{10});
    EXPECT_EQ(source.getVideoFrame(10, 88, true), first);

    source.setVideoPreloadSize(4);
    ASSERT_TRUE(source.getVideoFrame(57, 88, true));
    output.videoPreloader.worker().waitAllTasks();
    auto keys = output.videoPreloader.getKeys();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<int>{10, 57, 58, 59}));

    auto sound = source.getAudioFrame(3, 3);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sampleCount, 1600);
    EXPECT_EQ(sound->blockAlign, 8);

    // A new export's source starts empty.
    Plugin::RenderFrameSource next(worker, audio, output.videoPreloader, output.audioPreloader, 59);
    EXPECT_TRUE(output.videoPreloader.getKeys().empty());
    EXPECT_TRUE(output.audioPreloader.getKeys().empty());
}

}  // namespace
