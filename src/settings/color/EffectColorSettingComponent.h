#pragma once
// The colour window: edits one colour item of the focused object (or the
// item a colour row opened it on, linked with the same item of the other
// selected objects) with a wheel, HSV and RGB sliders and a swatch. Every
// change is written at once inside an edit scope; a drag or slider gesture
// is one undo step. Created once at start-up, hidden by default; it may
// float.
// User-interface thread only.
#include "core/file/Config.h"
#include "edit/model/Object.h"
#include "edit/service/EditInstance.h"
#include "core/event/EventInstance.h"
#include "edit/undo/ColorSettingUndo.h"
#include "settings/color/ColorState.h"
#include "settings/color/EffectColorCircleControl.h"
#include "settings/color/EffectColorInputControls.h"
#include "settings/color/EffectColorPaletteControl.h"
#include "settings/color/EffectColorPreviewControl.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/BitmapButtonControl.h"
#include "window/controls/TitleHeaderControl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Effect {
class EffectBase;
class EffectItemColor;
}  // namespace Effect

namespace Component {

// A title-band button that can hold a screen pick: the pick's end reaches
// onPickColor (null: no colour, as for a click on the button itself).
class ColorPickButtonControl : public Control::BitmapButtonControl {
public:
    using BitmapButtonControl::BitmapButtonControl;
    void procPickColor(const Window::PickedColor* color) override {
        if (onPickColor) onPickColor(color);
    }
    std::function<void(const Window::PickedColor*)> onPickColor;
};

class EffectColorSettingComponent : public Window::WindowClientRenderTarget,
                                    public Edit::EditInstance,
                                    public Event::EventInstance,
                                    public ColorSettingColors {
public:
    EffectColorSettingComponent();
    ~EffectColorSettingComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<EffectColorSettingComponent>& instance();

    struct TargetItem {
        Edit::ObjectPointer object;
        std::shared_ptr<Effect::EffectBase> effect;
        Effect::EffectItemColor* item = nullptr;
        std::vector<std::shared_ptr<Effect::EffectBase>> linked;
    };

    // Makes the item of the object the target; withSelection links the same
    // item of the other selected objects. Shows the window.
    void setTarget(const Edit::ObjectPointer& object, Effect::EffectItemColor& item, bool withSelection);
    // Re-reads the target item after an edit.
    void updateTarget();
    // Follows the focus: the first colour item of the object's first effect.
    void setFocusObject(const Edit::ObjectPointer& object);
    // Writes the current colour into the target (and the linked items).
    void applyColor();
    // The swatch's swap of the current and previous colour: one undo step
    // that also brings the window's two colours back.
    void swapWithPrevious();
    // A gesture's undo group: opened with the target's effects recorded,
    // committed at its end. Nothing without a target.
    void beginUndoGroup();
    void commitUndoGroup();
    void redrawControls();
    void refreshTargetLabel();
    std::wstring getTargetLabel(const TargetItem& target) const;

    // The title's click: a menu of every colour item of the focused object.
    void showTargetMenu();
    // The option menu's base angle of the wheel (0 to 360).
    void showBaseAngleDialog();
    // The eyedropper: the next click on the screen gives the colour.
    void startScreenPick();
    void endScreenPick(const Window::PickedColor* color);
    Edit::EditService* editServiceOf() const { return editService; }

    void procPaint() override;
    void procMove() override;
    void procLButtonDown(int x, int y) override;
    void procContextMenu(int x, int y) override;
    void createWindowMenu(Window::MenuEntries& menu) override;
    void recreateClient() override;

    ColorState state;
    // The palette's copy and paste.
    float copiedColor[4] = {0, 0, 0, 1};
    TargetItem target;
    int colorCircleAngle = 60;
    std::wstring selectPalette;
    const int margin;
    const int rowHeight;

    System::Config config_{"Window.setting.color"};
    System::Config::Int angle_{config_, "ColorCircleAngle", &colorCircleAngle, 60};
    System::Config::String palette_{config_, "SelectPalette", &selectPalette, L""};
    System::Config::Scope scope_{config_};

    Window::WindowControlOwner owner;
    Control::TitleHeaderControl header;
    EffectColorPreviewControl swatch;
    EffectColorInputRGBControl rgb;
    EffectColorCircleControl wheel;
    EffectColorInputHSVControl hsv;
    EffectColorPaletteControl palette;
    Control::BitmapButtonControl paletteButton;
    ColorPickButtonControl pickButton;

private:
    // The undo records' view of the window follows the state.
    void syncUndoColors();
    void paintTitleBand();
};

}  // namespace Component
