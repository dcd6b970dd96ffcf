#pragma once
// The row of a colour item: a label button (preset colours; its icon opens
// the colour window), the hexadecimal field, the screen-pick button, a
// swatch and the colour as "r,g,b". Typing in the field is one undo step
// that the same colour of the other selected objects follows; a type-14
// item may hold no colour ("未指定").
#include "effect/item/EffectItemColor.h"
#include "media/draw/TextFormatList.h"
#include "settings/rows/EffectItemControl.h"
#include "window/controls/BitmapButtonControl.h"
#include "window/controls/ButtonInputControl.h"
#include "window/controls/RectControl.h"
#include "window/controls/TextControl.h"
#include "window/controls/TextIconButtonControl.h"

#include <cstdint>
#include <optional>
#include <string>

namespace Component {

class EffectItemColorControl : public EffectItemControl<Effect::EffectItemColor>, public Resource::FontResource {
public:
    struct Color {
        std::uint8_t red, green, blue;
    };

    EffectItemColorControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                           EffectItemRowHost& host, Effect::EffectItem& item);
    ~EffectItemColorControl() override;

    // The grey of the swatch's outline for a colour: away from its lightness.
    static float outlineGrey(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // Six hexadecimal digits; nothing for any other text.
    static std::optional<Color> parseHex(const std::wstring& text);

    void updateValue() override;
    void procPickColor(const Window::PickedColor* color) override;

    // Inside the caller's scope: the colour, here and in the selection.
    void setValue(const Color& color, Edit::EditScope& scope);
    // A colour (or none, which only refreshes) in a scope of its own.
    void setColor(const std::optional<Color>& color);
    // One accepted text of the field during typing.
    void applyHexText(const std::wstring& text);
    void startPick();
    void showPresetMenu();

    bool picking = false;
    Control::TextIconButtonControl label;
    Control::ButtonInputControl hexField;
    Control::BitmapButtonControl pickButton;
    Control::RectControl swatch;
    Control::TextControl rgbText;

private:
    void paintSwatch(Control::RectControl& rect);
};

}  // namespace Component
