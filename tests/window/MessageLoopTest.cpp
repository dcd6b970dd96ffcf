#include "platform/gtk/MessageBox.h"
#include "platform/gtk/MessageQueue.h"
#include "platform/gtk/NativeWindow.h"
#include "support/VirtualDisplay.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace Platform;

namespace {

// A window of a class of the test's own that records what reaches it.
std::vector<UINT> received;

LRESULT recordingProc(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) {
        received.push_back(message);
        if (message == WM_USER + 99) postQuitMessage(0);
        if (message == WM_USER + 66) throw std::runtime_error("procedure failed");
        return 0;
    }
    return defWindowProc(window, message, wParam, lParam);
}

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        registerClass("messageLoopTest", recordingProc);
        window = createWindow("messageLoopTest", "test", 0, 0, 100, 100, nullptr);
        ASSERT_NE(window, nullptr);
        received.clear();
    }
    void TearDown() override {
        destroyWindow(window);
        unregisterClass("messageLoopTest");
    }
    WindowHandle window = nullptr;
};

TEST_F(MessageLoopTest, DeliversInPostingOrderAndQuitDropsWhatFollows) {
    postMessage(window, WM_USER + 1, 0, 0);
    postMessage(window, WM_USER + 2, 0, 0);
    postQuitMessage(0);
    postMessage(window, WM_USER + 3, 0, 0);
    runMessageLoop();
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));

    // The message behind the quit message never runs, not even in the next loop.
    postMessage(window, WM_USER + 99, 0, 0);
    runMessageLoop();
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 99}));
}

TEST_F(MessageLoopTest, PostingFromAnotherThreadWakesTheLoop) {
    std::thread poster([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(postMessage(window, WM_USER + 5, 0, 0));
        EXPECT_TRUE(postMessage(window, WM_USER + 99, 0, 0));
    });
    runMessageLoop();
    poster.join();
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 5, WM_USER + 99}));
}

TEST_F(MessageLoopTest, PostingToAGoneWindowFails) {
    WindowHandle other = createWindow("messageLoopTest", "other", 0, 0, 10, 10, nullptr);
    ASSERT_TRUE(postMessage(other, WM_USER + 1, 0, 0));
    ASSERT_TRUE(destroyWindow(other));
    EXPECT_FALSE(isWindow(other));
    EXPECT_FALSE(postMessage(other, WM_USER + 2, 0, 0));
    postMessage(window, WM_USER + 99, 0, 0);
    runMessageLoop();
    // What was queued for the window before it went is dropped as well.
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 99}));
}

TEST_F(MessageLoopTest, AProcedureFailureLeavesTheLoopAndTheNextLoopRuns) {
    postMessage(window, WM_USER + 66, 0, 0);
    postMessage(window, WM_USER + 7, 0, 0);
    EXPECT_THROW(
        {
            try {
                runMessageLoop();
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "procedure failed");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 66}));
    postMessage(window, WM_USER + 99, 0, 0);
    runMessageLoop();
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 66, WM_USER + 7, WM_USER + 99}));
}

TEST_F(MessageLoopTest, WindowClassesAreUniqueAndKnown) {
    EXPECT_FALSE(registerClass("messageLoopTest", recordingProc));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(createWindow("noSuchClass", "x", 0, 0, 10, 10, nullptr), nullptr);
    EXPECT_EQ(errno, ENOENT);
}

}  // namespace

// An idle loop sleeps in poll: a source of the test counts the turns the
// loop takes while a poster waits 300 ms before ending it. A loop that
// wakes itself every turn takes thousands.
TEST_F(MessageLoopTest, AnIdleLoopSleepsUntilAMessageComes) {
    static int turns = 0;
    static GSourceFuncs counting = {[](GSource*, gint* timeout) -> gboolean {
                                        ++turns;
                                        *timeout = -1;
                                        return FALSE;
                                    },
                                    nullptr, nullptr, nullptr, nullptr, nullptr};
    GSource* counter = g_source_new(&counting, sizeof(GSource));
    g_source_attach(counter, g_main_context_default());
    turns = 0;
    std::thread poster([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        postMessage(window, WM_USER + 99, 0, 0);
    });
    runMessageLoop();
    poster.join();
    g_source_destroy(counter);
    g_source_unref(counter);
    EXPECT_EQ(received, (std::vector<UINT>{WM_USER + 99}));
    EXPECT_LT(turns, 50);
}

// The quit message ends an open box as a system modal loop does, and stays
// pending for the loop outside; a box opened while it is pending ends at once.
TEST_F(MessageLoopTest, TheQuitMessageEndsAnOpenBoxAndTheLoopOutside) {
    std::thread poster([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        postQuitMessage(0);
    });
    EXPECT_EQ(messageBox(nullptr, "text", "caption", MB_OKCANCEL), IDCANCEL);
    poster.join();
    EXPECT_EQ(messageBox(nullptr, "text", "caption", MB_OK), IDOK);
    postMessage(window, WM_USER + 1, 0, 0);
    runMessageLoop();
    EXPECT_TRUE(received.empty());
}
