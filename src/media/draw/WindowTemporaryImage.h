#pragma once
// A strip of a window's picture saved and painted back, so that a moving
// cursor can be drawn over an otherwise unchanged drawing: pushImage saves
// the strip beginning x pixels right of the control's position, at the
// control's top; popImage paints it back at the same place. The bitmap is
// kept for strips of the same size. User-interface thread only.
#include "media/draw/ComResourceDirect2D.h"
#include "media/draw/RenderTarget.h"

namespace Media {

class WindowTemporaryImage {
public:
    // position: the control's (x, y) in its window, read at both calls.
    void pushImage(const int* position, RenderTarget& control, int x, int width, int height);
    // A strip never saved fails with "resource generator not set.".
    void popImage();
    // The saved strip (null before the first save).
    cairo_surface_t* image() const { return image_.get(); }

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

private:
    const int* position_ = nullptr;
    RenderTarget* render_ = nullptr;
    ComResource<cairo_surface_t> image_;
};

}  // namespace Media
