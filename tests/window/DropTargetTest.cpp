// Files dragged from a drag source of our own (tests/programs/DragSource)
// onto a window of the test process, moved with xdotool.
#include "core/CoreTestSupport.h"
#include "core/text/StringConvert.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/Screen.h"
#include "support/VirtualDisplay.h"
#include "window/DesktopSteps.h"
#include "window/DropTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Window::DropTarget;
using WindowTest::DesktopSteps;
using WindowTest::HelperProgram;

struct Seen {
    UINT message;
    std::vector<std::wstring> files;
    Platform::POINT point;
};

std::vector<Seen> seen;
// The left half of the window takes the files, the right half refuses.
Platform::WindowHandle target = nullptr;

LRESULT dropProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Platform::WM_CREATE) {
        DropTarget::Register(window);
        return 0;
    }
    if (message == Platform::WM_DESTROY) {
        DropTarget::Revoke(window);
        return 0;
    }
    if (message == DropTarget::DragOverMessage || message == DropTarget::DropMessage) {
        auto* info = reinterpret_cast<DropTarget::DropInfo*>(lParam);
        seen.push_back({message, info->files, info->point});
        const Platform::POINT origin = Platform::clientOrigin(window);
        info->accepted = info->point.x - origin.x < 200;
        return 0;
    }
    if (message == DropTarget::DragLeaveMessage) {
        seen.push_back({message, {}, {}});
        return 0;
    }
    return Platform::defWindowProc(window, message, wParam, lParam);
}

std::wstring wide(const std::filesystem::path& path) { return System::String::toWide(path.string()); }

std::string move(int x, int y) { return "mousemove " + std::to_string(x) + " " + std::to_string(y); }

class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        seen.clear();
        Platform::registerClass("movane2DropTest", dropProc);
        target = Platform::createWindow("movane2DropTest", "drops", 0, 0, 400, 300, nullptr);
        ASSERT_NE(target, nullptr);
        Platform::showWindow(target, Platform::SW_SHOW);
        a = folder.path() / "a.avi";
        b = folder.path() / "名前 b.wav";
        CoreTest::writeBytes(a.string(), "a");
        CoreTest::writeBytes(b.string(), "b");
    }
    void TearDown() override {
        Platform::destroyWindow(target);
        Platform::unregisterClass("movane2DropTest");
    }
    std::vector<std::string> sourceArguments(bool text) const {
        std::vector<std::string> argv = {MOVANE2_BINARY_DIR "/tests/drag_source", "--at", "600,100"};
        if (text) argv.push_back("--text");
        argv.push_back(a.string());
        argv.push_back(b.string());
        return argv;
    }
    int count(UINT message) const {
        int n = 0;
        for (const Seen& s : seen) n += s.message == message;
        return n;
    }
    bool overAt(int clientX) const {
        const Platform::POINT origin = Platform::clientOrigin(target);
        for (const Seen& s : seen)
            if (s.message == DropTarget::DragOverMessage && s.point.x - origin.x == clientX) return true;
        return false;
    }

    CoreTest::TempFolder folder;
    std::filesystem::path a;
    std::filesystem::path b;
};

TEST_F(DropTargetTest, AControlThatTakesFilesSeesBothPathsAndTheSourceSeesCopy) {
    HelperProgram source(sourceArguments(false));
    Platform::POINT origin;
    DesktopSteps steps;
    steps.waitFor([&] { return source.said("ready"); })
        .then([&] { origin = Platform::clientOrigin(target); })
        .xdotool(move(650, 150) + " mousedown 1 " + move(640, 150) + " " + move(600, 150))
        .xdotool(move(100, 150))
        .waitFor([&] { return overAt(100 - origin.x); })
        .waitFor([&] { return source.said("action copy"); })
        // Over the refusing half the source sees no action.
        .xdotool(move(300, 150))
        .waitFor([&] { return overAt(300 - origin.x) && source.lines.back() == "action none"; })
        .xdotool(move(120, 160))
        .waitFor([&] { return overAt(120 - origin.x) && source.lines.back() == "action copy"; })
        .xdotool("mouseup 1")
        .waitFor([&] { return source.said("end copy") && count(DropTarget::DragLeaveMessage) > 0; });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();

    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().message, DropTarget::DragOverMessage);
    EXPECT_EQ(seen.front().files, (std::vector<std::wstring>{wide(a), wide(b)}));
    EXPECT_EQ(seen.front().point.y, 150);
    // The drop, then the leave: the last two messages.
    ASSERT_GE(seen.size(), 2u);
    const Seen& drop = seen[seen.size() - 2];
    EXPECT_EQ(drop.message, DropTarget::DropMessage);
    EXPECT_EQ(drop.files, (std::vector<std::wstring>{wide(a), wide(b)}));
    EXPECT_EQ(drop.point.x, 120);
    EXPECT_EQ(drop.point.y, 160);
    EXPECT_EQ(seen.back().message, DropTarget::DragLeaveMessage);
    EXPECT_EQ(count(DropTarget::DropMessage), 1);
}

TEST_F(DropTargetTest, DroppingOnARefusingControlGivesTheSourceNoAction) {
    HelperProgram source(sourceArguments(false));
    DesktopSteps steps;
    steps.waitFor([&] { return source.said("ready"); })
        .xdotool(move(650, 150) + " mousedown 1 " + move(640, 150) + " " + move(600, 150))
        .xdotool(move(300, 150))
        .waitFor([&] { return count(DropTarget::DragOverMessage) > 0; })
        .xdotool(move(310, 150))
        .waitFor([&] { return count(DropTarget::DragOverMessage) > 1; })
        .xdotool("mouseup 1")
        .waitFor([&] { return (source.said("end none") || source.said("failed")) && count(DropTarget::DragLeaveMessage) > 0; });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();
    EXPECT_FALSE(source.said("action copy"));
    EXPECT_FALSE(source.said("end copy"));
    // A drag refused where it is released ends with a leave, as on the
    // system whose drop protocol this follows.
    EXPECT_EQ(count(DropTarget::DropMessage), 0);
    EXPECT_EQ(seen.back().message, DropTarget::DragLeaveMessage);
}

TEST_F(DropTargetTest, LeavingTheWindowSendsOnlyTheLeave) {
    HelperProgram source(sourceArguments(false));
    DesktopSteps steps;
    steps.waitFor([&] { return source.said("ready"); })
        .xdotool(move(650, 150) + " mousedown 1 " + move(640, 150) + " " + move(600, 150))
        .xdotool(move(100, 150))
        .waitFor([&] { return count(DropTarget::DragOverMessage) > 0; })
        .xdotool(move(500, 500))
        .waitFor([&] { return count(DropTarget::DragLeaveMessage) == 1; })
        .xdotool("mouseup 1")
        .waitFor([&] { return source.said("end none") || source.said("failed"); });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();
    EXPECT_EQ(count(DropTarget::DropMessage), 0);
    EXPECT_EQ(seen.back().message, DropTarget::DragLeaveMessage);
}

TEST_F(DropTargetTest, ATextDragDeliversNothing) {
    HelperProgram source(sourceArguments(true));
    DesktopSteps steps;
    steps.waitFor([&] { return source.said("ready"); })
        .xdotool(move(650, 150) + " mousedown 1 " + move(640, 150) + " " + move(600, 150))
        .xdotool(move(100, 150))
        .xdotool(move(110, 150))
        .xdotool(move(120, 150))
        .xdotool("mouseup 1")
        .waitFor([&] { return source.said("end none") || source.said("failed"); });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(source.said("action copy"));
}

TEST(UriList, LocalPathsInTheirOrder) {
    EXPECT_EQ(Platform::pathsFromUriList("# comment\r\nfile:///tmp/a%20b.avi\r\nhttp://example.com/x\r\nfile:///tmp/%E5%90%8D.wav\r\n"),
              (std::vector<std::wstring>{L"/tmp/a b.avi", L"/tmp/名.wav"}));
    EXPECT_TRUE(Platform::pathsFromUriList("").empty());
}

}  // namespace
