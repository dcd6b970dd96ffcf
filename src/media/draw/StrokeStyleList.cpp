#include "media/draw/StrokeStyleList.h"

#include "media/resource/ResourceService.h"

namespace Resource {

namespace {

using namespace Platform::Cairo;

struct StyleRow {
    CapStyle cap;
    LineJoin join;
    float miterLimit;
    DashStyle dashStyle;
    std::vector<float> dashes;
};

const StyleRow kRows[StrokeStyleList::Count] = {
    {CapStyle::Flat, LineJoin::Miter, 10.0f, DashStyle::Custom, {3.0f, 3.0f}},
    {CapStyle::Flat, LineJoin::Miter, 10.0f, DashStyle::Dash, {}},
    {CapStyle::Round, LineJoin::Round, 1.0f, DashStyle::Solid, {}},
    {CapStyle::Flat, LineJoin::Bevel, 1.0f, DashStyle::Solid, {}},
};

}  // namespace

StrokeStyleList::StrokeStyleList() {
    for (int i = 0; i < Count; ++i) {
        styles_[i] = std::make_unique<Media::ComResource<StrokeStyle>>([row = &kRows[i]](StrokeStyle** out) {
            StrokeStyleProperties properties;
            properties.startCap = properties.endCap = properties.dashCap = row->cap;
            properties.lineJoin = row->join;
            properties.miterLimit = row->miterLimit;
            properties.dashStyle = row->dashStyle;
            *out = new StrokeStyle(properties, row->dashes);
        });
    }
}

StrokeStyleResource::StrokeStyleResource() {
    ResourceService* service = ResourceService::getInstance();
    strokeStyleList = service ? &service->strokeStyleList : nullptr;
}

}  // namespace Resource
