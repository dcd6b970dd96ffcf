#pragma once
// The time-control window: a title bar (the target's effect, items and
// movement; a click lists the focus object's time-controlled items; a
// button opens the control-point presets) over the curve editor of one
// time-controlled number item. The target follows the focus object while
// the window is shown, and a number row hands its item over. Created once
// at start-up, hidden by default; it may float.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "core/file/Config.h"
#include "edit/service/EditInstance.h"
#include "settings/time/EffectTimeSettingControl.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/WindowTitleControl.h"

#include <memory>

namespace Component {

class EffectTimeSettingComponent : public Window::WindowClientRenderTarget,
                                   public Edit::EditInstance,
                                   public Event::EventInstance {
public:
    EffectTimeSettingComponent();
    ~EffectTimeSettingComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<EffectTimeSettingComponent>& instance();

    // While shown: the first time-controlled item of the object's first
    // effect (its second after an input) becomes the target; otherwise the
    // target is cleared.
    void retargetFocusObject(const Edit::ObjectPointer& object);
    // The item of the object becomes the target and the window is shown;
    // nothing when no effect of the object holds it.
    void setTargetItem(const Edit::ObjectPointer& object, Effect::EffectItemNumber& item);
    // After an edit scope that changed settings of the named object (or of
    // none in particular): reloads the points, or clears a target gone.
    void refreshTarget(const Edit::ObjectPointer& named);
    void updateTitle();

    void showTargetMenu();
    void showPresetMenu();

    void createWindowMenu(Window::MenuEntries& menu) override;
    void procPaint() override;
    void procMove() override;
    void recreateClient() override;

    TimeControlOptions options;

private:
    System::Config config_{"Window.setting.time"};
    System::Config::Int position_{config_, "DisplaySectionPosition", &options.displaySectionPosition, 0};
    System::Config::Int time_{config_, "DisplaySectionTime", &options.displaySectionTime, 0};
    System::Config::Int show_{config_, "ShowWindowTargetMovement", &options.showWindowTargetMovement, 1};
    System::Config::Scope scope_{config_};

public:
    Window::WindowControlOwner owner;
    WindowTitleControl title;
    EffectTimeSettingControl editor;
};

}  // namespace Component
