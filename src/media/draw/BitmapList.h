#pragma once
// The 22 pictures of one program window (toolbar and layer-header icons),
// each made on the first request from the program's embedded PNG resource
// for the window's drawing target, and kept until the window goes. A
// picture that cannot be made throws at that request (the imaging
// service's exception) and is tried again at the next.
#include "media/draw/ComResourceDirect2D.h"

#include <array>
#include <memory>

namespace Platform::Cairo {
class DeviceContext;
}

namespace Resource {

class BitmapList {
public:
    enum Id {
        CameraGreen, CameraWhite, CameraGrey, ArrowUp, ArrowDown, Refresh, Speaker, ZoomIn, LockOn, LockOff,
        ClipOn, ClipOff, LinkOn, LinkOff, Film, Picture, Gear, Sparkle, LetterT, Eyedropper, Clock, ColorDiscs,
        Count
    };

    // The PNG resource id of each member.
    static constexpr int resourceIds[Count] = {136, 138, 137, 133, 134, 141, 142, 149, 144, 145, 147,
                                               148, 152, 153, 150, 151, 154, 155, 156, 157, 159, 160};

    BitmapList();
    BitmapList(const BitmapList&) = delete;
    BitmapList& operator=(const BitmapList&) = delete;

    // The picture (premultiplied ARGB32), made on first use.
    cairo_surface_t* operator[](Id id) { return members_[id]->createResource(); }

    // The drawing target the pictures are made for; set with the window's.
    Platform::Cairo::DeviceContext* target = nullptr;

private:
    std::array<std::unique_ptr<Media::ComResource<cairo_surface_t>>, Count> members_;
};

}  // namespace Resource
