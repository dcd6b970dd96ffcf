#pragma once
// Drawn-control tests: the drawing and resource services over a style with
// a distinct colour for every face, the routing service, and a control
// owner whose host window draws into an image, shown nowhere.
#include "media/DrawingFixture.h"

#include "core/base/Singleton.h"
#include "media/draw/RenderTargetWindow.h"
#include "window/WindowControlOwner.h"
#include "window/WindowMouseService.h"

#include <cstdint>
#include <memory>

namespace DrawnControlTest {

// 0xFFrrggbb as the image stores them.
constexpr std::uint32_t kBackground = 0xFF101010;
constexpr std::uint32_t kBody = 0xFF202020;
constexpr std::uint32_t kHover = 0xFF303030;
constexpr std::uint32_t kPress = 0xFF404040;
constexpr std::uint32_t kDisable = 0xFF505050;
constexpr std::uint32_t kBorder = 0xFFFF0000;
constexpr std::uint32_t kText = 0xFF00FF00;
constexpr std::uint32_t kTextDisable = 0xFF0000FF;
constexpr std::uint32_t kGrouping = 0xFF606060;
constexpr std::uint32_t kTitleHeader = 0xFF707070;
constexpr std::uint32_t kBlack = 0xFF000000;

inline const char* kStyle =
    "[Color]\nBackground=101010\nButtonBody=202020\nButtonBodyHover=303030\nButtonBodyPress=404040\n"
    "ButtonBodyDisable=505050\nBorder=ff0000\nText=00ff00\nTextDisable=0000ff\nGrouping=606060\n"
    "TitleHeader=707070\n";

class DrawnControlFixture : public DrawingTest::DrawingServices {
protected:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 100;

    DrawnControlFixture() : DrawingServices(true) {}

    void SetUp() override {
        DrawingServices::SetUp();
        useStyle(kStyle);
        window.createRenderTarget(kWidth, kHeight);
    }

    Window::WindowMouseService& mouse() { return *mouseHolder_.getInstance(); }
    std::uint32_t at(int x, int y) const { return DrawingTest::pixel(window.backBuffer(), x, y); }
    // Clears the image to black.
    void clear() {
        cairo_t* cr = cairo_create(window.backBuffer());
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    // The press as the routing service delivers it: the object becomes the
    // pressed one first.
    void press(Window::WindowMouse& object, int x, int y) {
        mouse().pressed = &object;
        object.procLButtonDown(x, y);
    }
    // The press ends (the capture changed).
    void release(Window::WindowMouse& object) {
        if (object.captured) {
            object.captured = false;
            object.procCaptureLost();
        }
        mouse().pressed = nullptr;
    }
    void enter(Window::WindowMouse& object) {
        object.hover = true;
        object.procMouseEnter();
    }
    void leave(Window::WindowMouse& object) {
        object.hover = false;
        object.procMouseLeave();
    }

    System::Singleton<Window::WindowMouseService> mouseHolder_;
    Media::RenderTargetWindow window;
    Window::Rect area{0, 0, kWidth, kHeight};
    Window::WindowControlOwner owner{nullptr, nullptr, &window, 200, &area, &area};
};

}  // namespace DrawnControlTest
