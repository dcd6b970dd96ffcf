// The windows' side of an export on a real main window: the input block
// routes the close request to the export's hook and keeps the window, the
// footer shows the progress and returns to its texts, the progress timer
// ticks in the loop, and the completion sound plays a WAV file or throws.
#include "window/ExportWindowHost.h"

#include "core/base/Exception.h"
#include "core/thread/SyncTimer.h"
#include "platform/gtk/NativeWindow.h"
#include "plugin/output/OutputHost.h"
#include "window/InputBlock.h"

#include "WindowTestSupport.h"
#include "media/MediaFixtures.h"

#include <vector>

namespace {

using namespace WindowTest;
using namespace Platform;

class ExportWindowHostTest : public WindowServiceTest {
protected:
    void SetUp() override {
        WindowServiceTest::SetUp();
        Window::installExportWindowHost();
        host = Plugin::OutputHost::current();
    }
    void TearDown() override {
        host->setInputEnable(true, nullptr);
        Plugin::OutputHost::install(nullptr);
        WindowServiceTest::TearDown();
    }
    Plugin::OutputHost* host = nullptr;
};

TEST_F(ExportWindowHostTest, BlockedInputProgressAndTimer) {
    Window::WindowService& s = service();
    std::vector<UINT> hooked;
    host->setInputEnable(false, [&](WindowHandle, UINT message, WPARAM, LPARAM) {
        hooked.push_back(message);
        return false;
    });
    EXPECT_FALSE(Window::inputEnable);
    postMessage(s.mainWindow, WM_CLOSE, 0, 0);
    runUntil([&] { return !hooked.empty(); });
    ASSERT_FALSE(hooked.empty());
    EXPECT_EQ(hooked.front(), WM_CLOSE);
    EXPECT_TRUE(isWindow(s.mainWindow));

    host->setProgress(L"ファイル出力中", L"50.00% (30/60)", 0.5f);
    EXPECT_EQ(s.footer->progressText(), L"ファイル出力中 50.00% (30/60)");
    EXPECT_FLOAT_EQ(s.footer->progress(), 0.5f);
    host->setProgress(L"", L"", 0.0f);
    EXPECT_EQ(s.footer->progressText(), L"");

    int ticks = 0;
    Sync::Timer timer;
    timer.setInterval(10);
    host->registerWaitHandle(timer.getHandle(), [&] { ++ticks; });
    EXPECT_TRUE(runUntil([&] { return ticks >= 2; }));
    timer.clear();

    host->setInputEnable(true, nullptr);
    EXPECT_TRUE(Window::inputEnable);
    EXPECT_FALSE(Window::inputHook);
}

TEST_F(ExportWindowHostTest, CompletionSound) {
    MediaTest::TempFolder folder;
    const std::string wav = folder.file("done.wav");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=880:duration=0.1 -c:a pcm_s16le " + wav));
    EXPECT_NO_THROW(host->playSound(std::wstring(wav.begin(), wav.end())));
    try {
        host->playSound(L"/nonexistent/done.wav");
        ADD_FAILURE() << "a missing sound file played";
    } catch (const System::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("PlaySound"), std::string::npos) << e.what();
    }
}

}  // namespace
