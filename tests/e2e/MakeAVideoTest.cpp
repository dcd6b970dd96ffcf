// A person makes a short video in the real program with the mouse, the
// keyboard and files dragged in from the explorer and from another program:
// from an empty data folder to the exported AVI, the edits in the preview,
// the settings window and the timeline, playback with sound, and a project
// saved, closed and opened again.
#include "e2e/VideoScenario.h"

#include "core/CoreTestSupport.h"
#include "e2e/DragSourceRun.h"
#include "e2e/XClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using E2E::commandOutput;

// The menu bar's titles and the items used, as the shipped layout places them.
constexpr int kFileMenu = 33;
constexpr int kEditMenu = 89;

// A value of ffprobe's "key=value" lines.
std::string probed(const std::string& lines, const std::string& key) {
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    return {};
}

class MakeAVideoTest : public E2E::VideoScenario {
protected:
    // The first layers of the timeline get the three media files: the
    // picture from the explorer, the clip from the drag source, the sound
    // from the explorer again.
    void dropTheMedia() {
        click(150, 41);
        click(150, 41);
        key("ctrl+a");
        type(media("").string());
        key("Return");
        // The explorer lists the folder: clip.avi, picture.png, tone.wav.
        ASSERT_TRUE(waitFor([&] { return pixel(14, 137) != pixel(14, 180); })) << "the explorer did not list the media";

        drag(60, 112, frameX(4), layerY(1));
        ASSERT_TRUE(waitForObject(1, 0)) << program_->output();

        E2E::DragSourceRun source(display_.name(), root_.path() / "drag.txt", {media("clip.avi").string()}, "600,720");
        ASSERT_TRUE(waitFor([&] { return source.said("ready"); }));
        // Pressed on the source and moved past the toolkit's drag threshold;
        // released once the timeline answered the drag.
        const std::string target = std::to_string(frameX(4)) + " " + std::to_string(layerY(2));
        xdotool("mousemove 650 760 mousedown 1 mousemove 640 755 mousemove 600 730 mousemove " + target);
        int nudge = 0;
        ASSERT_TRUE(waitFor([&] {
            xdotool("mousemove " + std::to_string(frameX(4) + (++nudge & 1)) + " " + std::to_string(layerY(2)));
            return source.said("action copy");
        })) << "the drag did not reach the timeline";
        xdotool("mouseup 1");
        ASSERT_TRUE(waitForObject(2, 0)) << program_->output();
        EXPECT_TRUE(waitFor([&] { return source.said("end copy"); }));

        drag(60, 137, frameX(4), layerY(3));
        ASSERT_TRUE(waitForObject(3, 0)) << program_->output();
    }

    // Edit › クリップボードにイメージをコピー at the cursor, read back as RGB.
    std::string previewPicture(const std::string& before) {
        menu(kEditMenu, 225, 353);
        const fs::path file = root_.path() / "clipboard.png";
        std::string picture;
        waitFor([&] {
            E2E::onDisplay(display_.name(), "xclip -selection clipboard -t image/png -o > " + file.string());
            picture = fs::exists(file) && fs::file_size(file) > 0 ? E2E::decodedPicture(file) : std::string();
            return !picture.empty() && picture != before;
        });
        return picture;
    }

    // A 1280x720 project of the picture (frames 0-59, first layer), the clip
    // (60-119, second layer) and the sound (0-119, third layer).
    fs::path writeProject() const {
        const fs::path project = work() / "edit.mvp2";
        std::ofstream(project, std::ios::binary)
            << "[project]\r\nversion=2001802\r\nfile=\r\ndisplay.scene=0\r\n[scene.0]\r\nscene=0\r\nname=Root\r\n"
               "video.width=1280\r\nvideo.height=720\r\nvideo.rate=30\r\nvideo.scale=1\r\naudio.rate=48000\r\n"
            << "[0]\r\nlayer=0\r\nframe=0,59\r\n[0.0]\r\neffect.name=画像ファイル\r\nファイル=" << media("picture.png").string()
            << "\r\n[0.1]\r\neffect.name=標準描画\r\n"
            << "[1]\r\nlayer=1\r\nframe=60,119\r\n[1.0]\r\neffect.name=動画ファイル\r\nファイル=" << media("clip.avi").string()
            << "\r\n[1.1]\r\neffect.name=映像再生\r\n"
            << "[2]\r\nlayer=2\r\nframe=0,119\r\n[2.0]\r\neffect.name=音声ファイル\r\nファイル=" << media("tone.wav").string()
            << "\r\n[2.1]\r\neffect.name=音声再生\r\n";
        return project;
    }

    // The objects of a saved project, as "frames effect effect ..." lines in
    // sorted order.
    static std::vector<std::string> objects(const std::string& saved) {
        std::vector<std::string> found;
        std::istringstream in(saved);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("frame=", 0) == 0) found.push_back(line.substr(6));
            if (line.rfind("effect.name=", 0) == 0 && !found.empty()) found.back() += " " + line.substr(12);
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    // A number of the saved project: the value of the key in the section.
    static double value(const std::string& saved, const std::string& section, const std::string& key) {
        const std::size_t at = saved.find("[" + section + "]\r\n");
        if (at == std::string::npos) return -1e9;
        const std::size_t end = saved.find("\r\n[", at + 1);
        const std::size_t line = saved.find("\r\n" + key + "=", at);
        if (line == std::string::npos || line > end) return -1e9;
        return std::atof(saved.c_str() + line + key.size() + 3);
    }
};

TEST_F(MakeAVideoTest, FromAnEmptyDataFolderToTheExportedAvi) {
    ASSERT_FALSE(fs::exists(data()));
    start();
    // The main window at its default placements: the menu bar, the explorer
    // and the scene list, the preview with its player row and meter, the
    // timeline, the object list and the settings window (the explorer's path
    // row shows the home folder, which differs from run to run).
    EXPECT_TRUE(waitFor([&] { return differingPixels("start-menu-bar", 0, 0, 1280, 28) <= 20; }))
        << "start-menu-bar";
    EXPECT_TRUE(waitFor([&] { return differingPixels("start-panels", 0, 52, 1280, 668) <= 200; }))
        << "start-panels";

    // ファイル › プロジェクトを新規作成: 1280x720 at 30 fps, 48 kHz. Enter
    // in a dialog with an OK button is left to the OK button by default.
    menu(kFileMenu, 120, 43);
    const unsigned long scene = waitForDialog();
    ASSERT_NE(scene, 0u) << program_->output();
    type("1280");
    key("Tab");
    type("720");
    key("Tab ctrl+a");
    type("30");
    key("Tab ctrl+a");
    type("48000");
    key("Tab Return");
    ASSERT_TRUE(waitForDialogGone(scene));

    ASSERT_NO_FATAL_FAILURE(dropTheMedia());
    // The preview shows the cursor's frame (the clip's first frame over the
    // picture); the timeline the three objects and the sound's waveform.
    EXPECT_TRUE(waitFor([&] { return differingPixels("dropped-preview", 257, 28, 730, 434) <= 300; }))
        << "dropped-preview";
    EXPECT_TRUE(waitFor([&] { return differingPixels("dropped-timeline", 257, 497, 765, 190) <= 200; }))
        << "dropped-timeline";

    // Frames 0 to 14 become the range the export writes. The keys go to the
    // explorer's path row while it has the focus: a click on the ruler (at
    // frame 0) takes it.
    click(frameX(0), 510);
    key("Home bracketleft");
    for (int i = 0; i < 14; ++i) key("Right");
    key("bracketright");

    // Ctrl+S on a new project asks where to save it.
    key("ctrl+s");
    const unsigned long chooser = waitForDialog();
    ASSERT_NE(chooser, 0u);
    chooseFileName(chooser, "film.mvp2");
    ASSERT_TRUE(waitFor([&] { return fs::exists(work() / "film.mvp2"); })) << program_->output();
    const std::string saved = CoreTest::readBytes((work() / "film.mvp2").string());
    for (const std::string line : {"video.width=1280\r\n", "video.height=720\r\n", "video.rate=30\r\n",
                                   "video.scale=1\r\n", "audio.rate=48000\r\n", "[0]\r\nlayer=0\r\n",
                                   "[1]\r\nlayer=1\r\n", "[2]\r\nlayer=2\r\n", "[3]\r\n"})
        EXPECT_EQ(saved.find(line) == std::string::npos, line == std::string("[3]\r\n")) << line << saved;
    for (const std::string name : {"picture.png", "clip.avi", "tone.wav"})
        EXPECT_NE(saved.find(media(name).string()), std::string::npos) << name;
    // Two seconds of clip, four of sound, from frame 0.
    EXPECT_NE(saved.find("frame=0,59\r\n[1.0]\r\neffect.name=動画ファイル\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("frame=0,119\r\n[2.0]\r\neffect.name=音声ファイル\r\n"), std::string::npos) << saved;

    // ファイル › ファイル出力 › AVIファイル出力, a name, Enter.
    menu(kFileMenu, 92, 239, 450, 239);
    const unsigned long exporter = waitForDialog();
    ASSERT_NE(exporter, 0u);
    chooseFileName(exporter, "out.avi");
    const fs::path avi = work() / "out.avi";
    std::string video;
    ASSERT_TRUE(waitFor(
        [&] {
            video = commandOutput("ffprobe -v error -select_streams v:0 -count_frames -show_entries "
                                  "stream=width,height,r_frame_rate,nb_read_frames -of default=noprint_wrappers=1 '" +
                                  avi.string() + "' 2>/dev/null");
            return probed(video, "nb_read_frames") == "15";
        },
        30000))
        << video << program_->output();
    EXPECT_EQ(probed(video, "width"), "1280");
    EXPECT_EQ(probed(video, "height"), "720");
    EXPECT_EQ(probed(video, "r_frame_rate"), "30/1");
    const std::string sound = commandOutput(
        "ffprobe -v error -select_streams a:0 -show_entries stream=sample_rate,channels,duration_ts "
        "-of default=noprint_wrappers=1 '" + avi.string() + "'");
    EXPECT_EQ(probed(sound, "sample_rate"), "48000");
    // Half a second of sound: 15 frames of 1600 samples.
    const std::string samples = commandOutput("ffmpeg -loglevel error -i '" + avi.string() +
                                              "' -map 0:a -f s16le -ac 1 - | wc -c");
    EXPECT_EQ(std::atoi(samples.c_str()), 24000 * 2);

    // Three frames of the file against the preview's picture of them.
    std::string before;
    for (const int frame : {0, 7, 14}) {
        click(frameX(0), 510);
        key("Home");
        for (int i = 0; i < frame; ++i) key("Right");
        const std::string shown = previewPicture(before);
        const std::string written = E2E::decodedPicture(avi, frame);
        ASSERT_EQ(shown.size(), 1280u * 720u * 3u) << frame;
        ASSERT_EQ(written.size(), shown.size()) << frame;
        int off = 0;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (std::abs(int(static_cast<unsigned char>(shown[i])) - int(static_cast<unsigned char>(written[i]))) > 1)
                ++off;
        EXPECT_EQ(off, 0) << "frame " << frame;
        before = shown;
    }
}

TEST_F(MakeAVideoTest, AnImageATextAndAClipEditedInThePreviewTheSettingsAndTheTimeline) {
    const fs::path project = writeProject();
    start({project.string()});
    ASSERT_TRUE(waitForObject(2, 60));

    // The picture, focused on the timeline, shows its handles; dragged by its
    // centre 100 pixels right and 50 down, it moves by that much over the
    // preview's scale (the picture's 200 pixels shown over its width).
    click(frameX(10), layerY(1));
    const auto orange = [&](int x, int y) {
        const std::uint32_t p = pixel(x, y);
        return (p >> 16 & 0xff) > 0xc0 && (p >> 8 & 0xff) < 0x90 && (p & 0xff) < 0x60;
    };
    ASSERT_TRUE(waitFor([&] { return orange(621, 245); })) << "no handle at the picture's centre";
    const TestSupport::Screenshot before(display_.name());
    int shown = 0;
    for (int x = 400; x < 850; ++x) {
        const std::uint32_t p = before.pixel(x, 225);
        shown += (p & 0xff) > (p >> 16 & 0xff) + 0x60;
    }
    ASSERT_GT(shown, 50);
    const double scale = shown / 200.0;
    drag(621, 245, 721, 295);
    ASSERT_TRUE(waitFor([&] { return orange(721, 295); }));

    // 拡大率 and 透明度 typed in the settings window; ぼかし from its menu.
    click(1206, 592);
    key("ctrl+a");
    type("150");
    key("Return");
    click(1206, 636);
    key("ctrl+a");
    type("30");
    key("Return");
    // (the menu's entries by the keys: the ぼかし group second, its ぼかし first)
    click(1245, 337);
    ASSERT_TRUE(waitForMenuAt(1030, 350));
    key("Down Down Right Return");

    // A text object from the timeline's menu, its text typed in the text
    // window (表示 › テキスト編集, the sixth entry).
    // (オブジェクトを追加 first, テキスト its fourth entry)
    click(frameX(8), layerY(4), 3);
    ASSERT_TRUE(waitForMenuAt(360, 400));
    key("Down Right Down Down Down Return");
    ASSERT_TRUE(waitForObject(4, 0));
    click(131, 14);
    ASSERT_TRUE(waitForMenuAt(202, 50));
    key("Down Down Down Down Down Down Return");
    ASSERT_TRUE(waitFor([&] { return pixel(1009, 509) != pixel(1009, 200); })) << "no text window";
    click(820, 600);
    type("Hello");
    // Near the preview's centre, white letters over the dark background.
    ASSERT_TRUE(waitFor([&] {
        const TestSupport::Screenshot screen(display_.name());
        int white = 0;
        for (int y = 248; y < 276; ++y)
            for (int x = 620; x < 632; ++x) white += (screen.pixel(x, y) & 0xf0f0f0) == 0xf0f0f0;
        return white > 10;
    })) << "the text is not drawn";
    EXPECT_TRUE(waitFor([&] { return differingPixels("edited-preview", 257, 28, 730, 434) <= 300; }))
        << "edited-preview";

    // Its length through the frame-length dialog: 1.5 seconds, Enter.
    menu(kEditMenu, 225, 325);
    const unsigned long length = waitForDialog();
    ASSERT_NE(length, 0u);
    type("1.5");
    key("Return");
    ASSERT_TRUE(waitForDialogGone(length));

    std::string saved = saveWithKeys(project);
    // The picture moved, scaled, faded and blurred; the text of 45 frames.
    // (the width counted on the screen, edges aside, is good to two pixels
    // of 114: 4% of the move)
    EXPECT_NEAR(value(saved, "0.1", "X"), 100 / scale, 7.0) << saved;
    EXPECT_NEAR(value(saved, "0.1", "Y"), 50 / scale, 3.5);
    EXPECT_NEAR(value(saved, "0.1", "X") / value(saved, "0.1", "Y"), 2.0, 0.05);
    EXPECT_DOUBLE_EQ(value(saved, "0.1", "拡大率"), 150.0);
    EXPECT_DOUBLE_EQ(value(saved, "0.1", "透明度"), 30.0);
    EXPECT_EQ(objects(saved), (std::vector<std::string>{"0,119 音声ファイル 音声再生", "0,44 テキスト 標準描画",
                                                        "0,59 画像ファイル 標準描画 ぼかし", "60,119 動画ファイル 映像再生"}));
    EXPECT_NE(saved.find("\r\nテキスト=Hello\r\n"), std::string::npos) << saved;

    // S splits the clip at the cursor (frame 90), Ctrl+Z joins it again.
    click(frameX(90), 510);
    click(frameX(100), layerY(2));
    key("s");
    saved = saveWithKeys(project);
    EXPECT_NE(saved.find("frame=60,89\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("frame=90,119\r\n"), std::string::npos);
    key("ctrl+z");
    EXPECT_NE(saveWithKeys(project).find("frame=60,119\r\n"), std::string::npos);
    // Split again, the second piece deleted, a 音量フェード on the first.
    key("ctrl+shift+z");
    click(frameX(105), layerY(2));
    key("Delete");
    click(frameX(70), layerY(2));
    // (the sound group last, its 音量フェード first)
    click(1245, 337);
    ASSERT_TRUE(waitForMenuAt(1030, 350));
    key("End Right Return");
    const std::string edited = saveWithKeys(project);
    const std::vector<std::string> after = objects(edited);
    ASSERT_EQ(after.size(), 4u) << edited;
    EXPECT_EQ(after[3], "60,89 動画ファイル 映像再生 音量フェード");
    // Two undos take the fade and the deletion back; two redos bring them.
    key("ctrl+z");
    key("ctrl+z");
    const std::vector<std::string> undone = objects(saveWithKeys(project));
    ASSERT_EQ(undone.size(), 5u);
    EXPECT_EQ(undone[3], "60,89 動画ファイル 映像再生");
    EXPECT_EQ(undone[4], "90,119 動画ファイル 映像再生");
    key("ctrl+shift+z");
    key("ctrl+shift+z");
    EXPECT_EQ(saveWithKeys(project), edited);
}

// The disk audio device's samples: 32-bit float, two channels.
std::vector<float> deviceSamples(const fs::path& file) {
    const std::string bytes = fs::exists(file) ? CoreTest::readBytes(file.string()) : std::string();
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
}

std::size_t soundingSamples(const std::vector<float>& samples) {
    return std::count_if(samples.begin(), samples.end(), [](float v) { return std::fabs(v) > 1e-4f; });
}

TEST_F(MakeAVideoTest, PlaysWithSoundAndOpensAgainAsSaved) {
    const fs::path project = writeProject();
    start({project.string()});
    ASSERT_TRUE(waitForObject(3, 0));

    // Space plays from frame 0, where only the sound file's 220 Hz tone
    // sounds; Space stops it, and no more sound comes.
    click(frameX(0), 510);
    key("Home space");
    ASSERT_TRUE(waitFor([&] { return soundingSamples(deviceSamples(audioFile())) > 48000; }))
        << program_->output();
    key("space");
    std::size_t sounding = 0;
    ASSERT_TRUE(waitFor([&] {
        const std::size_t now = soundingSamples(deviceSamples(audioFile()));
        const bool still = now == sounding;
        sounding = now;
        return still;
    }));
    // Two seconds of tone at most: the clip's 440 Hz starts at frame 60.
    EXPECT_LT(sounding, 2u * 48000 * 2);
    const std::vector<float> samples = deviceSamples(audioFile());
    const auto first = std::find_if(samples.begin(), samples.end(), [](float v) { return std::fabs(v) > 1e-4f; });
    ASSERT_NE(first, samples.end());
    // Both channels carry the tone from its start, sin(0) = 0 being the
    // sample before the first that sounds.
    const std::size_t from = (first - samples.begin()) / 2 * 2;
    ASSERT_GT(samples.size(), from + 2 * 4800);
    int off = 0;
    for (std::size_t k = 0; k < 4800; ++k) {
        const double expected = 0.125 * std::sin(2 * M_PI * 220.0 * double(k + 1) / 48000.0);
        off += std::fabs(samples[from + 2 * k] - expected) > 0.002 ||
               std::fabs(samples[from + 2 * k + 1] - expected) > 0.002;
    }
    EXPECT_EQ(off, 0);

    // Saved, closed, opened again from the command line: the same player row
    // (cursor, thumb, range) and, saved again, the same bytes.
    const std::string saved = saveWithKeys(project);
    const std::string before = (root_.path() / "player-before.png").string();
    E2E::onDisplay(display_.name(), "import -window root -crop 770x30+257+463 +repage png:" + before);
    close();
    start({project.string()});
    ASSERT_TRUE(waitForObject(3, 0));
    const std::string after = (root_.path() / "player-after.png").string();
    const auto sameRow = [&] {
        E2E::onDisplay(display_.name(), "import -window root -crop 770x30+257+463 +repage png:" + after);
        return std::atoi(commandOutput("compare -metric AE " + before + " " + after + " null: 2>&1").c_str()) == 0;
    };
    EXPECT_TRUE(waitFor(sameRow)) << before << " " << after;
    EXPECT_EQ(saveWithKeys(project), saved);
}

TEST_F(MakeAVideoTest, TheMenuKeysMoveTheCursorAndQuittingAsksFirst) {
    const fs::path project = writeProject();
    start({project.string()});
    ASSERT_TRUE(waitForObject(3, 0));
    // Right five times from frame 0: frame 5, shown in the footer as the
    // sixth of 120 at 0.16 seconds, and saved as the cursor.
    click(frameX(0), 510);
    key("Home Right Right Right Right Right");
    EXPECT_TRUE(waitFor([&] { return differingPixels("footer-frame-5", 1060, 700, 220, 16) <= 10; }));
    EXPECT_NE(saveWithKeys(project).find("\r\ncursor.frame=5\r\n"), std::string::npos);

    // An edit, then ファイル › 終了: the discard
    // question comes up and Escape keeps the program and the edit.
    click(frameX(10), layerY(1));
    key("Delete");
    ASSERT_TRUE(waitFor([&] { return !objectShown(1, 0); }));
    menu(kFileMenu, 66, 297);
    const unsigned long question = waitForDialog();
    ASSERT_NE(question, 0u);
    const std::string box = (root_.path() / "question.png").string();
    const std::string reference = MOVANE2_SOURCE_DIR "/tests/data/e2e/discard-question.png";
    EXPECT_TRUE(waitFor([&] {
        E2E::onDisplay(display_.name(), "import -window " + std::to_string(question) + " png:" + box);
        if (std::getenv("MOVANE2_UPDATE_PICTURES")) fs::copy_file(box, reference, fs::copy_options::overwrite_existing);
        return std::atoi(commandOutput("compare -metric AE -fuzz 10% " + box + " " + reference + " null: 2>&1").c_str()) <= 20;
    })) << box;
    key("Escape");
    ASSERT_TRUE(waitForDialogGone(question));
    EXPECT_FALSE(objectShown(1, 0));
}

}  // namespace
