#pragma once
// What a parameter row needs of the object settings window and of the
// effect block it sits in. The block implements it (and forwards what
// belongs to the window); rows hold it for their whole life, which the
// block outlives.
#include "edit/model/Object.h"
#include "window/controls/EditFocusGroup.h"

#include <memory>

namespace Effect {
class EffectBase;
}
namespace Window {
class WindowControlRenderTarget;
}

namespace Component {

// The row options of the window's "Setting" section.
struct SettingRowOptions {
    // When the end slider shows: 0 never, 1 for exactly 2 values, 2 for 2
    // or more.
    int sectionViewMode = 2;
    bool slideMouseHidden = false;
    bool sliderButtonHidden = false;
    bool sliderCursorHidden = false;
    bool displayPositionByFrame = false;
};

class EffectItemRowHost {
public:
    // The object the window edits (null while it shows none).
    virtual Edit::ObjectPointer getTargetObject() const = 0;
    // The window's section index for that object.
    virtual int getSectionIndex() const = 0;
    virtual const SettingRowOptions& getRowOptions() const = 0;
    // The block's Tab group of text fields (made on the first request).
    virtual std::shared_ptr<Control::EditFocusGroup::Members> getFocusGroup() = 0;
    // A row's background: Grouping, GroupingHover under the pointer, and
    // GroupingSelect inset by 2 pixels while the effect's block is the
    // selected one.
    virtual void paintItemBackground(Window::WindowControlRenderTarget& control, const Effect::EffectBase& effect) = 0;

protected:
    ~EffectItemRowHost() = default;
};

}  // namespace Component
