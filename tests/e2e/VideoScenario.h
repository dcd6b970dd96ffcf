#pragma once
// What the tests of a person making a video in the real program share: the
// media files (made with the ffmpeg tool), the program started in a fresh
// data folder with the disk audio device, and the mouse and keyboard moves
// over the shipped layout of the main window on a 1280x800 screen.
#include "e2e/ProgramRun.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace E2E {

class VideoScenario : public ::testing::Test {
protected:
    // Places of the shipped layout.
    static constexpr int kFrameZeroX = 337;  // the timeline at one pixel a frame
    static constexpr int kFirstLayerY = 537;  // middle of the first layer's row
    static constexpr int kRow = 28;

    void SetUp() override;
    void TearDown() override;

    // Starts the program (in the work folder, HOME an empty folder) and
    // waits for its main window.
    void start(const std::vector<std::string>& arguments = {});
    // Asks the main window to close; a discard question is answered OK.
    void close();

    std::filesystem::path media(const std::string& name) const { return root_.path() / "media" / name; }
    std::filesystem::path work() const { return root_.path() / "work"; }
    std::filesystem::path data() const { return root_.path() / "data" / "movane2"; }
    std::filesystem::path audioFile() const { return root_.path() / "audio.raw"; }

    static bool waitFor(const std::function<bool()>& done, int ms = 10000);
    std::string xdotool(const std::string& arguments) const;
    void key(const std::string& keys) const;
    void type(const std::string& text) const;
    void click(int x, int y, int button = 1) const;
    // Presses at one point and releases at another, moving in steps.
    void drag(int fromX, int fromY, int toX, int toY) const;
    // A point of a layer's row (1 = first) at a frame.
    static int layerY(int layer) { return kFirstLayerY + (layer - 1) * kRow; }
    static int frameX(int frame) { return kFrameZeroX + frame; }

    std::uint32_t pixel(int x, int y) const;
    // Waits until the pixel is light (a menu's background or item).
    bool waitForMenuAt(int x, int y) const;
    // Opens a menu of the bar at its title and clicks an item of it, and of
    // a submenu when one is given.
    void menu(int titleX, int itemX, int itemY, int subX = 0, int subY = 0) const;
    // Waits until a window other than the main one has the keyboard: the
    // dialog just opened. Its id, 0 when none came.
    unsigned long waitForDialog() const;
    bool waitForDialogGone(unsigned long dialog) const;
    // Types a file name into the chooser that has the keyboard and confirms
    // it with Enter. The toolkit's chooser ignores an Enter that comes
    // within a moment of the typing (it is still completing the name), so
    // Enter is pressed again while the chooser stays open.
    void chooseFileName(unsigned long chooser, const std::string& name) const;
    // The timeline shows an object on the layer at the frame (waiting for
    // it to come, or not).
    bool objectShown(int layer, int frame) const;
    bool waitForObject(int layer, int frame) const;

    // The screen's rectangle compared with a picture kept in tests/data/e2e
    // (written there instead when MOVANE2_UPDATE_PICTURES is set): pixels
    // that differ by more than 10% are counted.
    int differingPixels(const std::string& name, int x, int y, int width, int height) const;

    // The project file's bytes once Ctrl+S wrote it anew.
    std::string saveWithKeys(const std::filesystem::path& path);

    TestSupport::VirtualDisplay display_;
    TempFolder root_;
    std::unique_ptr<ProgramRun> program_;
    unsigned long window_ = 0;
};

// The frame's pixels as 8-bit RGB, decoded by the ffmpeg tool: from a
// picture file, or frame `index` of a movie.
std::string decodedPicture(const std::filesystem::path& file, int index = -1);

}  // namespace E2E
