#pragma once
// Drawn-control tests: the setting, drawing and resource services over the
// shipped style, the routing service, and an owner whose host window is an
// image of 400 x 200 (no toolkit window), with helpers to compare that
// image with a committed reference picture.
#include "media/DrawingFixture.h"
#include "media/draw/RenderTargetWindow.h"
#include "support/VirtualDisplay.h"
#include "window/WindowControlOwner.h"
#include "window/WindowMouseService.h"

#include <cairo.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace ControlTest {

class ControlFixture : public DrawingTest::DrawingServices {
protected:
    ControlFixture() : DrawingServices(true) {}

    void SetUp() override {
        // Cursors are the toolkit's.
        TestSupport::useTestDisplay();
        DrawingServices::SetUp();
        mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
        host = std::make_unique<Media::RenderTargetWindow>();
        host->createRenderTarget(400, 200);
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, host.get(), 200, &clip, &source);
        owner->updateLayout();
    }
    void TearDown() override {
        owner.reset();
        host.reset();
        mouse.reset();
        DrawingServices::TearDown();
    }

    static Window::WindowMouseService& service() {
        return *System::Singleton<Window::WindowMouseService>::getInstance();
    }

    // The back buffer against tests/data/controls/<name>.png: every channel
    // within tolerance, except at most strayPixels pixels (glyph edges).
    // MOVANE2_UPDATE_PICTURES=1 writes the reference instead.
    ::testing::AssertionResult matchesReference(const std::string& name, int tolerance = 24,
                                                int strayPixels = 40) {
        cairo_surface_t* image = host->backBuffer();
        cairo_surface_flush(image);
        const std::string path = std::string(MOVANE2_SOURCE_DIR) + "/tests/data/controls/" + name + ".png";
        if (std::getenv("MOVANE2_UPDATE_PICTURES")) {
            cairo_surface_write_to_png(image, path.c_str());
            return ::testing::AssertionSuccess() << "written";
        }
        cairo_surface_t* reference = cairo_image_surface_create_from_png(path.c_str());
        if (cairo_surface_status(reference) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(reference);
            return ::testing::AssertionFailure() << "no reference picture " << path;
        }
        const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
        if (cairo_image_surface_get_width(reference) != w || cairo_image_surface_get_height(reference) != h) {
            cairo_surface_destroy(reference);
            return ::testing::AssertionFailure() << "reference size differs";
        }
        int stray = 0, worst = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t a = DrawingTest::pixel(image, x, y), b = DrawingTest::pixel(reference, x, y);
                int diff = 0;
                for (int shift = 0; shift < 24; shift += 8)
                    diff = std::max(diff, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
                worst = std::max(worst, diff);
                if (diff > tolerance) ++stray;
            }
        }
        cairo_surface_destroy(reference);
        if (stray > strayPixels)
            return ::testing::AssertionFailure() << stray << " pixels differ by more than " << tolerance
                                                 << " (worst " << worst << ")";
        return ::testing::AssertionSuccess();
    }

    std::uint32_t at(int x, int y) const { return DrawingTest::pixel(host->backBuffer(), x, y) & 0xFFFFFF; }

    Platform::WindowHandle window = reinterpret_cast<Platform::WindowHandle>(0x10);
    Window::Rect clip{0, 0, 400, 200};
    Window::Rect source{0, 0, 400, 200};
    std::unique_ptr<System::Singleton<Window::WindowMouseService>> mouse;
    std::unique_ptr<Media::RenderTargetWindow> host;
    std::unique_ptr<Window::WindowControlOwner> owner;
};

}  // namespace ControlTest
