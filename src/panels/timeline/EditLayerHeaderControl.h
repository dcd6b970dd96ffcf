#pragma once
// The column of layer buttons at the timeline's left edge: one row per
// visible layer with its name, hidden and locked state and the hover mark.
// A click hides or shows a layer, Ctrl-click selects its objects, a drag
// moves it to another row, the menu locks, renames, inserts and deletes
// layers. Every change is one undo step.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "edit/service/EditInstance.h"
#include "edit/undo/UndoInstance.h"
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"
#include "window/WindowSelectControl.h"

#include <functional>

namespace Component {

class EditComponent;

class EditLayerHeaderControl : public Window::WindowControlRenderTarget,
                               public Edit::EditInstance,
                               public Event::EventInstance,
                               public Undo::UndoInstance,
                               public Resource::FontResource {
public:
    EditLayerHeaderControl(EditComponent& panel, Window::WindowControl& parent, int left, int top, int right,
                           int bottom);

    void procMouseMove(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procKeyUp() override;
    void procLButtonDown(int x, int y) override;
    void procLButtonUp(int x, int y) override;
    void procRButtonDown(int x, int y) override;
    void procMouseLeave() override;
    void procCaptureLost() override;
    void procMouseWheel(int x, int y, int delta) override;
    void procContextMenu(int x, int y) override;
    void procPaint() override;

    // The row of a layer, when it is in view.
    void paintRow(int layer);

    // Each a complete edit and one undo step.
    void toggleLayerHide(int layer);
    void toggleLayerLock(int layer);
    void toggleOtherLayers(int layer);
    void renameLayer(int layer);
    void insertLayer(int layer);
    void deleteLayer(int layer);
    // Adds the layer's objects to the selection (Ctrl-click).
    void selectLayerObjects(int layer);

    EditComponent& panel;
    int rowHeight = 1;
    int textTop = 0;
    int hoverLayer = -1;
    std::function<void(int layer)> onHoverChange;
    bool moving = false;
    Window::WindowSelectControl selectControl{*this};

private:
    int layerAtY(int y) const;
};

}  // namespace Component
