#include "media/DrawingFixture.h"

#include "WindowTestSupport.h"
#include "support/Screenshot.h"

#include "platform/gtk/NativeWindow.h"

#include <cstdlib>

namespace {

using Brushes = Resource::ColorBrushList;

constexpr std::uint32_t kBackground = 0x203040;
constexpr std::uint32_t kFooter = 0x000000;

// The real main window on the test display, drawn from a style of the test.
class WindowDrawingTest : public DrawingTest::DrawingServices {
protected:
    WindowDrawingTest() : DrawingServices(true) {}

    void SetUp() override {
        TestSupport::useTestDisplay();
        useStyle("[Color]\nBackground=203040\nFooter=000000\nText=ff0000\n");
        holder_ = std::make_unique<System::Singleton<Window::WindowService>>();
    }
    void TearDown() override {
        holder_.reset();
        DrawingServices::TearDown();
    }

    static Window::WindowService& window() { return WindowTest::service(); }
    static std::uint32_t backBufferAt(int x, int y) {
        return DrawingTest::pixel(window().backBuffer(), x, y) & 0xFFFFFF;
    }
    // Runs the loop until the screen shows what the check wants.
    static bool screenShows(const std::function<bool(const TestSupport::Screenshot&)>& check) {
        return WindowTest::runUntil([&] { return check(TestSupport::Screenshot(std::getenv("DISPLAY"))); }, 10000);
    }

private:
    std::unique_ptr<System::Singleton<Window::WindowService>> holder_;
};

TEST_F(WindowDrawingTest, TheMainWindowShowsTheStylesBackgroundAndFooter) {
    const bool shown = screenShows([](const TestSupport::Screenshot& screen) {
        return screen.pixel(640, 300) == kBackground && screen.pixel(640, 710) == kFooter;
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(backBufferAt(5, 5), kBackground);
    // The client area's last row, under the menu bar.
    EXPECT_EQ(backBufferAt(5, Platform::getClientRect(window().mainWindow).bottom - 1), kFooter);
}

TEST_F(WindowDrawingTest, FooterTextIsShownAtOnceInTheTextColour) {
    ASSERT_TRUE(screenShows([](const TestSupport::Screenshot& s) { return s.pixel(640, 710) == kFooter; }));
    // Drawn outside a repaint: the footer shows it by itself.
    window().footer->setText(L"日本語のテキスト", L"右側");
    TestSupport::Screenshot screen(std::getenv("DISPLAY"));
    // Glyph pixels: red over the black bar, more or less covered.
    const auto inked = [&](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const std::uint32_t p = screen.pixel(x, y);
                count += (p >> 16) > 0x40 && (p & 0xFFFF) == 0;
            }
        return count;
    };
    EXPECT_GT(inked(0, 696, 400, 720), 60);     // eight characters
    EXPECT_GT(inked(1000, 696, 1280, 720), 15);  // two
    EXPECT_EQ(inked(0, 0, 1280, 690), 0);
}

TEST_F(WindowDrawingTest, AFailedDrawingIsRepaintedNotFatal) {
    ASSERT_TRUE(screenShows([](const TestSupport::Screenshot& s) { return s.pixel(640, 300) == kBackground; }));
    const Platform::Cairo::SolidColorBrush white({1, 1, 1, 1});
    {
        Media::RenderTarget::DrawScope scope(window(), 0, 0, 1280, 720, true);
        window().fill(white);
        cairo_scale(window().target->cairo(), 0, 0);  // the drawing fails from here on
    }
    EXPECT_EQ(backBufferAt(640, 300), 0xFFFFFFu);  // drawn, never shown
    // The window repaints what was lost.
    EXPECT_TRUE(WindowTest::runUntil([] { return backBufferAt(640, 300) == kBackground; }));
    EXPECT_EQ(TestSupport::Screenshot(std::getenv("DISPLAY")).pixel(640, 300), kBackground);
}

TEST_F(WindowDrawingTest, AResizedWindowDrawsAtItsNewSize) {
    Platform::sendMessage(window().mainWindow, Platform::WM_SIZE, 0, Platform::MAKELPARAM(800, 600));
    EXPECT_EQ(window().clientWidth, 800);
    EXPECT_EQ(window().clientHeight, 600);
    EXPECT_EQ(cairo_image_surface_get_width(window().backBuffer()), 800);
    EXPECT_EQ(cairo_image_surface_get_height(window().backBuffer()), 600);
    EXPECT_EQ(window().footer->rect().top, 576);
}

}  // namespace
