#pragma once
// The 78 style brushes of one program window, in member order. Each is made
// on the first request from the "Color" section of the style settings and
// kept until the window goes; a failed making (a missing or malformed
// colour) throws at that request and is tried again at the next.
//
// Kinds: solid (the key's colour), list entry n (the n-th colour of the
// key's list, the last past its end), gradient (the list's first colour at
// 0, its last at 1; the filling control sets the end points), fade (the
// list's last colour, fully transparent at 0), and Border at half opacity.
#include "media/draw/ComResourceDirect2D.h"
#include "platform/cairo/Brush.h"

#include <array>
#include <memory>

namespace Platform::Cairo {
class DeviceContext;
}

namespace Resource {

class ColorBrushList {
public:
    enum Id {
        Background, WindowBorder, WindowSeparator, Grouping, GroupingHover, GroupingSelect, Border, BorderFocus,
        BorderSelect, BorderHalf, Footer, FooterProgress0, FooterProgress1, TitleHeader, Text, TextDisable,
        TextSelect, ButtonBody, ButtonBodyHover, ButtonBodyPress, ButtonBodyDisable, ButtonBodySelect, SliderCursor,
        TrackBarRange, ZoomGauge, ZoomGaugeHover, ZoomGaugeOff, ZoomGaugeOffHover, Layer, LayerHeader, LayerHover,
        LayerDisable, LayerRange, LayerRangeFrame, ObjectVideo, ObjectVideoSelect, ObjectVideoFilter,
        ObjectVideoFilterSelect, ObjectAudio, ObjectAudioSelect, ObjectAudioFilter, ObjectAudioFilterSelect,
        ObjectControl, ObjectControlSelect, ObjectAudioFade, ClippingObjectFade, ClippingObjectMask, ObjectHover,
        ObjectSection, ObjectWaveform0, ObjectWaveform1, FrameRangeSelect, FrameRangeOutside, FrameCursor,
        FrameCursorWide, PlayerCursor, GuideLine, GridLine, Anchor, AnchorLine, AnchorIn, AnchorOut, AnchorSelect,
        AnchorHover, AnchorEdge, HandleX, HandleY, HandleZ, HandleXHover, HandleYHover, HandleZHover,
        OutsideDisplay, LevelMeterRed0, LevelMeterRed1, LevelMeterYellow0, LevelMeterYellow1, LevelMeterGreen0,
        LevelMeterGreen1, Count
    };

    ColorBrushList();
    ColorBrushList(const ColorBrushList&) = delete;
    ColorBrushList& operator=(const ColorBrushList&) = delete;

    // The brush, made on first use.
    Platform::Cairo::Brush& operator[](Id id) { return *members_[id]->createResource(); }
    // A gradient member (ObjectVideo, ObjectVideoFilter, ObjectAudio,
    // ObjectAudioFilter, ObjectControl and the two fades).
    Platform::Cairo::LinearGradientBrush& gradient(Id id);
    static bool isGradient(Id id);
    // Made already? (Never makes it.)
    bool isCreated(Id id) const { return members_[id]->get() != nullptr; }

    // The drawing target the brushes are made for; set with the window's.
    Platform::Cairo::DeviceContext* target = nullptr;

private:
    // Destroyed from the last member to the first.
    std::array<std::unique_ptr<Media::ComResource<Platform::Cairo::Brush>>, Count> members_;
};

}  // namespace Resource
