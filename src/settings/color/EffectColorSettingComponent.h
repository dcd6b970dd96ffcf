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
#include "settings/color/ColorState.h"
#include "settings/color/EffectColorCircleControl.h"
#include "settings/color/EffectColorInputControls.h"
#include "settings/color/EffectColorPreviewControl.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/TitleHeaderControl.h"

#include <memory>
#include <string>
#include <vector>

namespace Effect {
class EffectBase;
class EffectItemColor;
}  // namespace Effect

namespace Component {

class EffectColorSettingComponent : public Window::WindowClientRenderTarget,
                                    public Edit::EditInstance,
                                    public Event::EventInstance {
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
    // A gesture's undo group: opened with the target's effects recorded,
    // committed at its end. Nothing without a target.
    void beginUndoGroup();
    void commitUndoGroup();
    void redrawControls();
    void refreshTargetLabel();
    std::wstring getTargetLabel(const TargetItem& target) const;

    // The title's click: a menu of every colour item of the focused object.
    void showTargetMenu();

    void procPaint() override;
    void procMove() override;
    void procLButtonDown(int x, int y) override;
    void procContextMenu(int x, int y) override;
    void recreateClient() override;

    ColorState state;
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
};

}  // namespace Component
