#include "media/draw/BitmapList.h"

#include "media/image/ImageService.h"
#include "platform/cairo/DeviceContext.h"

namespace Resource {

BitmapList::BitmapList() {
    for (int i = 0; i < Count; ++i) {
        members_[i] = std::make_unique<Media::ComResource<cairo_surface_t>>([this, id = resourceIds[i]](
                                                                                cairo_surface_t** out) {
            *out = Media::ImageService::loadFromResource(id, target ? target->cairo() : nullptr);
        });
    }
}

}  // namespace Resource
