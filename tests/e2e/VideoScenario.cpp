#include "e2e/VideoScenario.h"

#include "core/CoreTestSupport.h"
#include "e2e/XClient.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace E2E {

namespace fs = std::filesystem;

void VideoScenario::SetUp() {
    fs::create_directories(root_.path() / "media");
    fs::create_directories(work());
    fs::create_directories(root_.path() / "user");
    const std::string ffmpeg = "ffmpeg -loglevel error -y ";
    commandOutput(ffmpeg + "-f lavfi -i color=c=0x3080e0:s=200x120 -frames:v 1 " + media("picture.png").string());
    commandOutput(ffmpeg + "-f lavfi -i testsrc=s=320x180:r=30 -f lavfi -i sine=f=440:sample_rate=48000 -t 2 "
                           "-c:v mjpeg -q:v 3 -c:a pcm_s16le -shortest " + media("clip.avi").string());
    commandOutput(ffmpeg + "-f lavfi -i sine=f=220:sample_rate=48000 -t 4 " + media("tone.wav").string());
    ASSERT_TRUE(fs::exists(media("picture.png")) && fs::exists(media("clip.avi")) && fs::exists(media("tone.wav")));
}

void VideoScenario::TearDown() {
    if (!program_ || !window_) return;
    if (HasFailure()) {
        // What the screen showed when the test failed, kept for a look.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string shot = MOVANE2_BINARY_DIR "/Testing/" + std::string(test->name()) + ".png";
        fs::create_directories(MOVANE2_BINARY_DIR "/Testing");
        onDisplay(display_.name(), "import -window root png:" + shot);
        std::fprintf(stderr, "screen at the failure: %s\n", shot.c_str());
    }
    close();
    EXPECT_EQ(program_->output().find("ERROR"), std::string::npos) << program_->output();
}

void VideoScenario::start(const std::vector<std::string>& arguments) {
    const std::map<std::string, std::string> extra{{"HOME", (root_.path() / "user").string()},
                                                   {"SDL_AUDIODRIVER", "disk"},
                                                   {"SDL_DISKAUDIOFILE", audioFile().string()},
                                                   {"GSETTINGS_BACKEND", "memory"}};
    program_ = std::make_unique<ProgramRun>(testEnvironment(display_.name(), root_.path() / "data", extra), arguments,
                                            work());
    window_ = waitForWindow(display_.name(), "--classname '^movane2Manager$'");
    ASSERT_NE(window_, 0u) << program_->output();
    // The timeline's first row is drawn once the window is ready.
    ASSERT_TRUE(waitFor([&] { return pixel(300, layerY(1)) != 0 && pixel(1100, 700) != 0; })) << program_->output();
    xdotool("windowfocus --sync " + std::to_string(window_));
}

void VideoScenario::close() {
    sendDeleteWindow(display_.name(), window_);
    // A modified project asks first (the box has the keyboard); OK lets it go.
    const std::string main = std::to_string(window_);
    waitFor([&] {
        if (onDisplay(display_.name(), "xwininfo -id " + main + " 2>&1").find("IsViewable") == std::string::npos)
            return true;
        const std::string focus = onDisplay(display_.name(), "xdotool getwindowfocus");
        if (focus.empty() || std::stoul(focus) == window_) return false;
        xdotool("key Return");
        return true;
    }, 5000);
    EXPECT_EQ(program_->wait(10000), 0) << program_->output();
    window_ = 0;
}

bool VideoScenario::waitFor(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms; waited += 40) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    return done();
}

std::string VideoScenario::xdotool(const std::string& arguments) const {
    return onDisplay(display_.name(), "xdotool " + arguments);
}

void VideoScenario::key(const std::string& keys) const { xdotool("key --delay 30 " + keys); }

void VideoScenario::type(const std::string& text) const { xdotool("type --delay 20 '" + text + "'"); }

void VideoScenario::click(int x, int y, int button) const {
    xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click " + std::to_string(button));
}

void VideoScenario::drag(int fromX, int fromY, int toX, int toY) const {
    xdotool("mousemove " + std::to_string(fromX) + " " + std::to_string(fromY) + " mousedown 1");
    constexpr int kSteps = 10;
    for (int i = 1; i <= kSteps; ++i)
        xdotool("mousemove " + std::to_string(fromX + (toX - fromX) * i / kSteps) + " " +
                std::to_string(fromY + (toY - fromY) * i / kSteps));
    // The target answers the last motion before the release.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    xdotool("mouseup 1");
}

std::uint32_t VideoScenario::pixel(int x, int y) const { return TestSupport::Screenshot(display_.name()).pixel(x, y); }

bool VideoScenario::waitForMenuAt(int x, int y) const {
    return waitFor([&] {
        const std::uint32_t p = pixel(x, y);
        return ((p >> 16) & 0xff) > 0xd0 && ((p >> 8) & 0xff) > 0xd0 && (p & 0xff) > 0xd0;
    });
}

void VideoScenario::menu(int titleX, int itemX, int itemY, int subX, int subY) const {
    click(titleX, 14);
    ASSERT_TRUE(waitForMenuAt(itemX, itemY - 8)) << "the menu did not open";
    if (subX == 0) {
        click(itemX, itemY);
        return;
    }
    xdotool("mousemove " + std::to_string(itemX) + " " + std::to_string(itemY));
    ASSERT_TRUE(waitForMenuAt(subX, subY - 8)) << "the submenu did not open";
    // Along the item's row into the submenu, then down to the entry.
    xdotool("mousemove " + std::to_string(subX) + " " + std::to_string(itemY));
    click(subX, subY);
}

unsigned long VideoScenario::waitForDialog() const {
    unsigned long dialog = 0;
    waitFor([&] {
        const std::string focus = onDisplay(display_.name(), "xdotool getwindowfocus");
        if (focus.empty()) return false;
        const unsigned long id = std::stoul(focus);
        if (id == window_ || onDisplay(display_.name(), "xwininfo -id " + focus).find("IsViewable") == std::string::npos)
            return false;
        dialog = id;
        return true;
    });
    return dialog;
}

bool VideoScenario::waitForDialogGone(unsigned long dialog) const {
    return waitFor([&] {
        return onDisplay(display_.name(), "xwininfo -id " + std::to_string(dialog) + " 2>&1").find("IsViewable") ==
               std::string::npos;
    }, 30000);
}

void VideoScenario::chooseFileName(unsigned long chooser, const std::string& name) const {
    type(name);
    const std::string id = std::to_string(chooser);
    for (int i = 0; i < 5; ++i) {
        const std::string focus = onDisplay(display_.name(), "xdotool getwindowfocus");
        if (focus.empty() || focus.substr(0, focus.find('\n')) != id) return;
        xdotool("key Return");
        waitFor([&] { return onDisplay(display_.name(), "xdotool getwindowfocus").substr(0, id.size()) != id; }, 1000);
    }
}

bool VideoScenario::objectShown(int layer, int frame) const {
    // An empty row is the timeline's background; an object's box is lighter.
    const std::uint32_t p = pixel(frameX(frame) + 3, layerY(layer) + 4);
    return ((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff) > 3 * 0x30;
}

bool VideoScenario::waitForObject(int layer, int frame) const {
    return waitFor([&] { return objectShown(layer, frame); });
}

int VideoScenario::differingPixels(const std::string& name, int x, int y, int width, int height) const {
    const std::string shot = (root_.path() / (name + ".png")).string();
    onDisplay(display_.name(), "import -window root -crop " + std::to_string(width) + "x" + std::to_string(height) +
                                   "+" + std::to_string(x) + "+" + std::to_string(y) + " +repage png:" + shot);
    const std::string reference = MOVANE2_SOURCE_DIR "/tests/data/e2e/" + name + ".png";
    if (std::getenv("MOVANE2_UPDATE_PICTURES")) {
        fs::create_directories(fs::path(reference).parent_path());
        fs::copy_file(shot, reference, fs::copy_options::overwrite_existing);
    }
    const std::string difference =
        commandOutput("compare -metric AE -fuzz 10% " + shot + " " + reference + " null: 2>&1");
    if (difference.empty() || !std::isdigit(static_cast<unsigned char>(difference[0]))) return width * height;
    return std::atoi(difference.c_str());
}

std::string VideoScenario::saveWithKeys(const fs::path& path) {
    fs::remove(path);
    xdotool("windowfocus --sync " + std::to_string(window_));
    key("ctrl+s");
    EXPECT_TRUE(waitFor([&] { return fs::exists(path); })) << program_->output();
    // The file is written whole before it takes its name.
    return CoreTest::readBytes(path.string());
}

std::string decodedPicture(const fs::path& file, int index) {
    const std::string select = index < 0 ? "" : " -vf 'select=eq(n\\," + std::to_string(index) + ")'";
    return commandOutput("ffmpeg -loglevel error -i '" + file.string() + "'" + select +
                         " -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
}

}  // namespace E2E
