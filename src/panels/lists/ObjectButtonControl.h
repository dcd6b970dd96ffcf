#pragma once
// One row of the object list: an object at the cursor frame, with its icon,
// its name trimmed before the two buttons at the right end (the lock, not
// for audio objects, and the enable switch). A click focuses the object;
// Ctrl+clicks collect a selection that lasts while Ctrl is held; a right
// click selects the object for the time of the list's menu.
// User-interface thread only.
#include "edit/model/Object.h"
#include "edit/service/EditInstance.h"
#include "edit/service/SelectControl.h"
#include "media/draw/BitmapList.h"
#include "media/draw/TextFormatList.h"
#include "window/controls/ButtonControl.h"
#include "window/controls/CheckButtonControl.h"
#include "window/controls/ListItemControl.h"

#include <functional>
#include <optional>

namespace Component {

class ObjectButtonControl : public Control::ButtonControl,
                            public Control::ListItemBase,
                            public Resource::FontResource,
                            public Edit::EditInstance,
                            private Edit::SelectControl {
public:
    ObjectButtonControl(Control::ListItemControl& list, const Edit::ObjectPointer& object);
    ~ObjectButtonControl() override;

    // The picture of the row for the object's first effect.
    static Resource::BitmapList::Id iconOf(const Edit::Object& object);
    static int rowHeight();

    // A new object recomputes the icon; the check states always follow.
    void setObject(const Edit::ObjectPointer& object);
    Control::Brushes::Id getBodyBrush() const;

    void procContextMenu(int x, int y) override;
    void procKeyUp() override;
    void procCaptureLost() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;
    void procMove() override;

    Edit::ObjectPointer object;
    Resource::BitmapList::Id icon = Resource::BitmapList::Gear;
    Control::CheckBitmapButtonControl lockButton;
    Control::CheckButtonControl enableButton;
    // The object list's menu at a point of the row.
    std::function<void(int x, int y)> showMenu;

private:
    void press();
    void selectWithWait(const Edit::ObjectPointer& target);

    std::optional<int> gestureOwnerTag() const override { return gesture_; }
    void claimGesture(int tag) override { gesture_ = tag; }
    bool isControlKeyDown() const override;
    bool isMouseCaptured() const override;

    std::optional<int> gesture_;
};

}  // namespace Component
