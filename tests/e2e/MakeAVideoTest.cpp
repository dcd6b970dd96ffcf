// A person makes a short video in the real program with the mouse, the
// keyboard and files dragged in from the explorer and from another program:
// from an empty data folder to the exported AVI, the edits in the preview,
// the settings window and the timeline, playback with sound, and a project
// saved, closed and opened again.
#include "e2e/VideoScenario.h"

#include "core/CoreTestSupport.h"
#include "e2e/XClient.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

        E2E::DragSource source(display_.name(), root_.path() / "drag.txt", 600, 720, {media("clip.avi").string()});
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
        menu(kEditMenu, 225, 351);
        const fs::path file = root_.path() / "clipboard.png";
        std::string picture;
        waitFor([&] {
            E2E::onDisplay(display_.name(), "xclip -selection clipboard -t image/png -o > " + file.string());
            picture = fs::exists(file) && fs::file_size(file) > 0 ? E2E::decodedPicture(file) : std::string();
            return !picture.empty() && picture != before;
        });
        return picture;
    }
};

TEST_F(MakeAVideoTest, FromAnEmptyDataFolderToTheExportedAvi) {
    ASSERT_FALSE(fs::exists(data()));
    start();
    // The main window at its default placements: the menu bar, the explorer
    // and the scene list, the preview with its player row and meter, the
    // timeline, the object list and the settings window (the explorer's path
    // row shows the home folder, which differs from run to run).
    EXPECT_LE(differingPixels("start-menu-bar", 0, 0, 1280, 28), 20);
    EXPECT_LE(differingPixels("start-panels", 0, 52, 1280, 668), 200);

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
    EXPECT_LE(differingPixels("dropped-preview", 257, 28, 730, 434), 300);
    EXPECT_LE(differingPixels("dropped-timeline", 257, 497, 765, 190), 200);

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

}  // namespace
