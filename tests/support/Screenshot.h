#pragma once
// A picture of a whole X screen (imagemagick's import), for tests that
// check what a window really shows.
#include <cstdint>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace TestSupport {

class Screenshot {
public:
    // The screen of the display (":N"); empty when import fails.
    explicit Screenshot(const std::string& display);
    ~Screenshot();
    Screenshot(const Screenshot&) = delete;
    Screenshot& operator=(const Screenshot&) = delete;

    bool empty() const { return width() == 0; }
    int width() const;
    int height() const;
    // 0xRRGGBB; 0 outside the picture.
    std::uint32_t pixel(int x, int y) const;
    // Pixels of the rectangle that have the colour.
    int count(int left, int top, int right, int bottom, std::uint32_t rgb) const;

private:
    cairo_surface_t* image_ = nullptr;
};

}  // namespace TestSupport
