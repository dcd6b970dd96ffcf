#include "media/draw/ColorBrushList.h"

#include "core/base/Exception.h"
#include "media/draw/ColorBrush.h"
#include "media/draw/StyleValue.h"

namespace Resource {

namespace {

enum class Kind { Solid, Entry0, Entry1, Gradient, Fade, HalfAlpha };

struct Row {
    const char* key;
    Kind kind;
};

// One row per member, in member order.
constexpr Row kRows[ColorBrushList::Count] = {
    {"Background", Kind::Solid},          {"WindowBorder", Kind::Solid},
    {"WindowSeparator", Kind::Solid},     {"Grouping", Kind::Solid},
    {"GroupingHover", Kind::Solid},       {"GroupingSelect", Kind::Solid},
    {"Border", Kind::Solid},              {"BorderFocus", Kind::Solid},
    {"BorderSelect", Kind::Solid},        {"Border", Kind::HalfAlpha},
    {"Footer", Kind::Solid},              {"FooterProgress", Kind::Entry0},
    {"FooterProgress", Kind::Entry1},     {"TitleHeader", Kind::Solid},
    {"Text", Kind::Solid},                {"TextDisable", Kind::Solid},
    {"TextSelect", Kind::Solid},          {"ButtonBody", Kind::Solid},
    {"ButtonBodyHover", Kind::Solid},     {"ButtonBodyPress", Kind::Solid},
    {"ButtonBodyDisable", Kind::Solid},   {"ButtonBodySelect", Kind::Solid},
    {"SliderCursor", Kind::Solid},        {"TrackBarRange", Kind::Solid},
    {"ZoomGauge", Kind::Solid},           {"ZoomGaugeHover", Kind::Solid},
    {"ZoomGaugeOff", Kind::Solid},        {"ZoomGaugeOffHover", Kind::Solid},
    {"Layer", Kind::Solid},               {"LayerHeader", Kind::Solid},
    {"LayerHover", Kind::Solid},          {"LayerDisable", Kind::Solid},
    {"LayerRange", Kind::Solid},          {"LayerRangeFrame", Kind::Solid},
    {"ObjectVideo", Kind::Gradient},      {"ObjectVideoSelect", Kind::Solid},
    {"ObjectVideoFilter", Kind::Gradient}, {"ObjectVideoFilterSelect", Kind::Solid},
    {"ObjectAudio", Kind::Gradient},      {"ObjectAudioSelect", Kind::Solid},
    {"ObjectAudioFilter", Kind::Gradient}, {"ObjectAudioFilterSelect", Kind::Solid},
    {"ObjectControl", Kind::Gradient},    {"ObjectControlSelect", Kind::Solid},
    {"ObjectAudio", Kind::Fade},          {"ClippingObject", Kind::Fade},
    {"ClippingObjectMask", Kind::Solid},  {"ObjectHover", Kind::Solid},
    {"ObjectSection", Kind::Solid},       {"ObjectWaveform", Kind::Entry0},
    {"ObjectWaveform", Kind::Entry1},     {"FrameRangeSelect", Kind::Solid},
    {"FrameRangeOutside", Kind::Solid},   {"FrameCursor", Kind::Solid},
    {"FrameCursorWide", Kind::Solid},     {"PlayerCursor", Kind::Solid},
    {"GuideLine", Kind::Solid},           {"GridLine", Kind::Solid},
    {"Anchor", Kind::Solid},              {"AnchorLine", Kind::Solid},
    {"AnchorIn", Kind::Solid},            {"AnchorOut", Kind::Solid},
    {"AnchorSelect", Kind::Solid},        {"AnchorHover", Kind::Solid},
    {"AnchorEdge", Kind::Solid},          {"HandleX", Kind::Solid},
    {"HandleY", Kind::Solid},             {"HandleZ", Kind::Solid},
    {"HandleXHover", Kind::Solid},        {"HandleYHover", Kind::Solid},
    {"HandleZHover", Kind::Solid},        {"OutsideDisplay", Kind::Solid},
    {"LevelMeterRed", Kind::Entry0},      {"LevelMeterRed", Kind::Entry1},
    {"LevelMeterYellow", Kind::Entry0},   {"LevelMeterYellow", Kind::Entry1},
    {"LevelMeterGreen", Kind::Entry0},    {"LevelMeterGreen", Kind::Entry1},
};

std::unique_ptr<Platform::Cairo::Brush> makeBrush(const Row& row) {
    switch (row.kind) {
        case Kind::Entry0: return ColorBrush::create(row.key, 0);
        case Kind::Entry1: return ColorBrush::create(row.key, 1);
        case Kind::Gradient: return GradientBrush::create(row.key);
        case Kind::Fade: return GradientBrush::create(row.key, 0.0f);
        case Kind::HalfAlpha: {
            Platform::Cairo::ColorF color = styleColor(row.key);
            color.a *= 0.5f;
            return ColorBrush::create(color);
        }
        default: return ColorBrush::create(row.key);
    }
}

}  // namespace

ColorBrushList::ColorBrushList() {
    for (int i = 0; i < Count; ++i) {
        // Brushes are plain data: the target is not needed to make one.
        members_[i] = std::make_unique<Media::ComResource<Platform::Cairo::Brush>>(
            [row = &kRows[i]](Platform::Cairo::Brush** out) { *out = makeBrush(*row).release(); });
    }
}

bool ColorBrushList::isGradient(Id id) {
    return kRows[id].kind == Kind::Gradient || kRows[id].kind == Kind::Fade;
}

Platform::Cairo::LinearGradientBrush& ColorBrushList::gradient(Id id) {
    if (!isGradient(id))
        throw System::makeException("Resource::ColorBrushList::gradient", "not a gradient brush.");
    return static_cast<Platform::Cairo::LinearGradientBrush&>((*this)[id]);
}

}  // namespace Resource
