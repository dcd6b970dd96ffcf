#pragma once
// One row of the scene list: the scene's name beside a film strip. A click
// makes the scene current; dragging a row past a neighbour swaps their
// places (scene 0 never moves), one undo step per drag; its menu holds the scene commands; resting
// on it shows the scene's settings. User-interface thread only.
#include "edit/model/Scene.h"
#include "edit/service/EditInstance.h"
#include "media/draw/TextFormatList.h"
#include "window/WindowMenuEntry.h"
#include "window/controls/ButtonControl.h"
#include "window/controls/ListItemControl.h"

#include <functional>

namespace Component {

class SceneButtonControl : public Control::ButtonControl,
                           public Control::ListItemBase,
                           public Resource::FontResource,
                           public Edit::EditInstance {
public:
    SceneButtonControl(Control::ListItemControl& list, const Edit::ScenePointer& scene);
    ~SceneButtonControl() override;

    int getOrder() override { return scene->listOrder; }
    void setOrder(int order) override { scene->listOrder = order; }
    bool canReorder() override { return scene->id != 0; }

    // Swaps the row with a neighbour when the pointer, y pixels below the
    // row's top, has passed it; true when it did.
    bool reorder(int y);
    Control::Brushes::Id bodyBrush() const;

    void procLButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procLButtonUp(int x, int y) override;
    void procCaptureLost() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procContextMenu(int x, int y) override;
    void procPaint() override;

    Edit::ScenePointer scene;
    bool pressed = false;
    bool menuOpen = false;
    // The scene list's window items, appended to the row's menu.
    std::function<void(Window::MenuEntries&)> windowMenu;

private:
    // A drag's swaps are one undo step: the group opened at the press is
    // committed when the press ends.
    void endOrderUndo();

    // The row's top when the press began.
    int pressTop_ = 0;
    bool orderUndo_ = false;
};

}  // namespace Component
