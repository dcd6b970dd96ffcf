#pragma once
// The colour-setting window as its undo records see it: the colour it shows
// and the colour it had before. A record targets a shared holder of the
// window rather than the window itself; the window empties the holder when
// it goes, so a record outliving it restores nothing.
#include <array>
#include <memory>

namespace Edit {
class EditScope;
}  // namespace Edit

namespace Component {

class ColorSettingColors;

struct ColorSetting {
    ColorSettingColors* window = nullptr;
};

class ColorSettingColors {
public:
    using Color = std::array<float, 4>;

    ColorSettingColors() = default;
    ColorSettingColors(const ColorSettingColors&) = delete;
    ColorSettingColors& operator=(const ColorSettingColors&) = delete;

    // The holder that undo records of this window share.
    const std::shared_ptr<ColorSetting>& undoHolder();

    Color color{};
    Color previousColor{};

protected:
    ~ColorSettingColors();

private:
    std::shared_ptr<ColorSetting> holder_;
};

struct ColorSettingUndoUpdate {
    ColorSettingColors::Color color{};
    ColorSettingColors::Color previousColor{};

    void capture(const ColorSetting& setting);
    // A NaN compares as different.
    static bool isChange(ColorSettingUndoUpdate& before, ColorSettingUndoUpdate& after);
    void restore(const std::shared_ptr<ColorSetting>& setting, Edit::EditScope& scope) const;
};

}  // namespace Component
