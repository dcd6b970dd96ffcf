// The gallery of drawn controls in a real program window on a display of
// the test's own, driven with xdotool as a person would: clicks, a held
// repeat button, wheel turns, scroll-bar drags and track clicks, the row
// list's wheel and right-button drag, the clear square and the value drag.
// Its first picture is compared with a committed reference.
#include "media/DrawingFixture.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "media/draw/StyleValue.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowInput.h"
#include "support/VirtualDisplay.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"
#include "window/XCursorProbe.h"
#include "window/controls/ControlGallery.h"
#include "window/controls/ControlTooltip.h"

#include <cairo.h>
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using ControlGallery::Gallery;

class ControlGalleryTest : public DrawingTest::DrawingServices {
protected:
    ControlGalleryTest() : DrawingServices(true) {}

    void SetUp() override {
        TestSupport::useTestDisplay();
        DrawingServices::SetUp();
        mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
        // A short repeat so holding takes little time: 250 ms, then 30 ms.
        settings().keyRepeatDelay = 250;
        settings().keyRepeatInterval = 30;
        window = WindowTest::service().mainWindow;
        gallery = std::make_unique<Gallery>(WindowTest::service());
        Control::showTooltipCall = [this](Platform::POINT, const std::wstring& text, int) {
            tooltips.push_back(text);
        };
        xid = WindowTest::windowId(GTK_WIDGET(Platform::toolkitWindow(window)));
        ASSERT_TRUE(WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000) ||
                    activate());
        // The pointer rests outside the gallery.
        xdo({"mousemove", "--window", "%w", "900", "600"});
    }
    void TearDown() override {
        Control::showTooltipCall = nullptr;
        gallery.reset();
        holder.reset();
        mouse.reset();
        DrawingServices::TearDown();
    }

    bool activate() {
        Platform::setFocus(window);
        return WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000);
    }

    void xdo(std::vector<std::string> args) { WindowTest::xdotool(std::move(args), xid); }
    void moveTo(int x, int y) { xdo({"mousemove", "--window", "%w", std::to_string(x), std::to_string(y)}); }
    void clickAt(int x, int y, const char* button = "1") {
        moveTo(x, y);
        xdo({"click", button});
    }
    bool waitFor(const std::function<bool()>& done) { return WindowTest::runUntil(done, 5000); }

    // What the screen shows of the gallery, read from the X server.
    cairo_surface_t* screenshot(const std::string& file) {
        const std::string command = "import -window " + std::to_string(xid) + " -crop " +
                                    std::to_string(ControlGallery::kWidth) + "x" +
                                    std::to_string(ControlGallery::kHeight) + "+0+" +
                                    std::to_string(WindowTest::menuBarHeight()) + " +repage png:" + file;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return cairo_image_surface_create_from_png(file.c_str());
    }

    std::unique_ptr<System::Singleton<Window::WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
    std::unique_ptr<Gallery> gallery;
    Platform::WindowHandle window = nullptr;
    unsigned long xid = 0;
    std::vector<std::wstring> tooltips;
};

TEST_F(ControlGalleryTest, TheGalleryLooksAsItsReference) {
    const std::string shot = (std::filesystem::temp_directory_path() /
                              ("gallery-" + std::to_string(::getpid()) + ".png")).string();
    cairo_surface_t* image = screenshot(shot);
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    const std::string reference = std::string(MOVANE2_SOURCE_DIR) + "/tests/data/controls/gallery.png";
    if (std::getenv("MOVANE2_UPDATE_PICTURES")) std::filesystem::copy_file(shot, reference,
                                                                          std::filesystem::copy_options::overwrite_existing);
    cairo_surface_t* expected = cairo_image_surface_create_from_png(reference.c_str());
    ASSERT_EQ(cairo_surface_status(expected), CAIRO_STATUS_SUCCESS) << reference;
    ASSERT_EQ(cairo_image_surface_get_width(image), cairo_image_surface_get_width(expected));
    ASSERT_EQ(cairo_image_surface_get_height(image), cairo_image_surface_get_height(expected));
    // Every channel within 24 levels, except a few glyph-edge pixels.
    int stray = 0;
    for (int y = 0; y < ControlGallery::kHeight; ++y) {
        for (int x = 0; x < ControlGallery::kWidth; ++x) {
            const std::uint32_t a = DrawingTest::pixel(image, x, y);
            const std::uint32_t b = DrawingTest::pixel(expected, x, y);
            int worst = 0;
            for (int shift = 0; shift < 24; shift += 8)
                worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
            stray += worst > 24;
        }
    }
    EXPECT_LE(stray, 60) << "pixels off: " << shot;
    cairo_surface_destroy(expected);
    cairo_surface_destroy(image);
    if (!HasFailure()) std::filesystem::remove(shot);
}

TEST_F(ControlGalleryTest, ButtonsClickOnThePressAndTheHoverFaceShows) {
    moveTo(50, 22);
    const std::uint32_t hover =
        DrawingTest::pixel(WindowTest::service().backBuffer(), 14, 14) & 0xFFFFFF;
    const Platform::Cairo::ColorF styleHover = Resource::styleColor("ButtonBodyHover");
    EXPECT_EQ(hover, (std::uint32_t(styleHover.r * 255 + 0.5) << 16) | (std::uint32_t(styleHover.g * 255 + 0.5) << 8) |
                         std::uint32_t(styleHover.b * 255 + 0.5));
    xdo({"mousedown", "1"});
    ASSERT_TRUE(waitFor([&] { return gallery->count("click Play") == 1; })) << "no click on the press";
    xdo({"mousemove", "--window", "%w", "700", "500", "mouseup", "1"});
    EXPECT_EQ(gallery->count("click Play"), 1) << "releasing elsewhere changes nothing";
    clickAt(500, 22);  // the disabled button
    EXPECT_EQ(gallery->events.size(), 1u);
    clickAt(10 + 26 * 17 + 12, 56);  // IconClose
    ASSERT_TRUE(waitFor([&] { return gallery->count("icon 17") == 1; }));
    clickAt(56, 92);
    clickAt(56, 92);
    ASSERT_TRUE(waitFor([&] { return gallery->count("unchecked") == 1; }));
    EXPECT_EQ(gallery->count("checked"), 1);
    EXPECT_FALSE(gallery->check->checked);
}

TEST_F(ControlGalleryTest, HoldingTheRepeatButtonRepeatsUntilRelease) {
    moveTo(22, 92);
    xdo({"mousedown", "1"});
    ASSERT_TRUE(waitFor([&] { return gallery->count("repeat") >= 6; }));
    xdo({"mouseup", "1"});
    ASSERT_TRUE(waitFor([&] { return gallery->count("release") == 1; }));
    const int clicks = gallery->count("repeat");
    WindowTest::runFor(200);
    EXPECT_EQ(gallery->count("repeat"), clicks) << "no click after the release";
    EXPECT_EQ(gallery->events.front(), "press");
    EXPECT_EQ(gallery->events[1], "repeat");
}

TEST_F(ControlGalleryTest, TheWheelButtonAndTheListTakeTheWheel) {
    moveTo(350, 22);
    xdo({"click", "5"});  // towards the user
    ASSERT_TRUE(waitFor([&] { return gallery->count("wheel -120") == 1; }));
    xdo({"click", "4"});
    ASSERT_TRUE(waitFor([&] { return gallery->count("wheel 120") == 1; }));
    EXPECT_EQ(gallery->wheel->text, L"Wheel 0");

    Control::ListItemControl& list = *gallery->list;
    ASSERT_TRUE(list.barShown());
    const int step = list.scrollBar.step;
    // Past the wheel button's double-click stickiness.
    WindowTest::runFor(600);
    moveTo(400, 200);
    xdo({"click", "5"});
    ASSERT_TRUE(waitFor([&] { return list.rowOwner.scrollY == step; })) << list.rowOwner.scrollY;
    // A right-button drag upwards scrolls on with the pointer.
    xdo({"mousedown", "3"});
    xdo({"mousemove", "--window", "%w", "400", "180"});
    xdo({"mousemove", "--window", "%w", "400", "170"});
    ASSERT_TRUE(waitFor([&] { return list.rowOwner.scrollY == step + 30; })) << list.rowOwner.scrollY;
    xdo({"mouseup", "3"});
}

TEST_F(ControlGalleryTest, ScrollBarsPageStepAndFollowTheirThumb) {
    // (10, 120) 16 x 210, to the gallery's bottom: 16 px arrows, a 178 px track.
    Control::ScrollBarControl& bar = *gallery->vertical;
    ASSERT_EQ(bar.trackLength, 178);
    clickAt(18, 300);  // the track below the thumb
    ASSERT_TRUE(waitFor([&] { return gallery->count("vertical 9") == 1; }));
    clickAt(18, 322);  // the down arrow
    ASSERT_TRUE(waitFor([&] { return gallery->count("vertical 10") == 1; }));
    // Drag the thumb 89 px (half the track) down: half the range further.
    const int thumbY = bar.thumb.area.y + bar.thumb.area.height / 2;
    moveTo(18, thumbY);
    xdo({"mousedown", "1"});
    xdo({"mousemove", "--window", "%w", "18", std::to_string(thumbY + 40)});
    xdo({"mousemove", "--window", "%w", "18", std::to_string(thumbY + 89)});
    ASSERT_TRUE(waitFor([&] { return bar.viewStart == 10 + 49; })) << bar.viewStart;  // 99 * 89 / 178 = 49.5
    xdo({"mouseup", "1"});
    moveTo(18, 250);
    xdo({"click", "5"});
    ASSERT_TRUE(waitFor([&] { return bar.viewStart == 60; })) << bar.viewStart;

    Control::ScrollBarControl& across = *gallery->horizontal;  // (40, 120) 240 x 16
    ASSERT_FALSE(across.vertical);
    clickAt(272, 128);  // the right arrow
    ASSERT_TRUE(waitFor([&] { return gallery->count("horizontal 1") == 1; }));
    clickAt(200, 128);  // the track right of the thumb: a page
    ASSERT_TRUE(waitFor([&] { return across.viewStart == 101; })) << across.viewStart;
}

TEST_F(ControlGalleryTest, TheClearSquareAndTheValueDrag) {
    moveTo(300, 92);
    moveTo(400, 92);  // over the square: x >= w - h + 2
    ASSERT_TRUE(waitFor([&] { return gallery->clear->overClear; }));
    xdo({"click", "1"});
    ASSERT_TRUE(waitFor([&] { return gallery->count("cleared") == 1; }));
    EXPECT_TRUE(gallery->clear->text.empty());

    moveTo(432, 92);
    xdo({"mousedown", "1"});
    xdo({"mousemove", "--window", "%w", "432", "80"});
    xdo({"mousemove", "--window", "%w", "432", "72"});
    ASSERT_TRUE(waitFor([&] { return gallery->sliderValue == 60; })) << gallery->sliderValue;
    xdo({"mouseup", "1"});
    ASSERT_FALSE(tooltips.empty());
    EXPECT_EQ(tooltips.front(), L"50%");
    EXPECT_EQ(tooltips.back(), L"60%");
}

}  // namespace
