#pragma once
// The object area of the timeline: one row per layer, each object of the
// current scene a box over its frame range. It turns pointer input into
// hovering, focusing, selecting and drags (moving, resizing, section
// boundaries, the frame cursor, the rubber band and the pan); the time
// ruler hands it its presses and wheel with a negative y.
// User-interface thread only.
#include "edit/model/Object.h"
#include "edit/service/EditInstance.h"
#include "edit/undo/UndoInstance.h"
#include "core/event/EventInstance.h"
#include "media/draw/StrokeStyleList.h"
#include "media/draw/TextFormatList.h"
#include "media/draw/WindowTemporaryImage.h"
#include "window/WindowControlRenderTarget.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace Component {

class EditComponent;

class EditLayerObjectControl : public Edit::EditInstance,
                               public Undo::UndoInstance,
                               public Event::EventInstance,
                               public Window::WindowControlRenderTarget,
                               public Resource::FontResource,
                               public Resource::StrokeStyleResource {
public:
    // The reach of the objects a drag takes along.
    struct DragExtent {
        struct Range {
            int minStart = 0;
            int maxEnd = 0;
        };
        int minLayer = 0;
        int maxLayer = 0;
        int minStart = 0;
        int maxEnd = 0;
        std::unordered_map<int, Range> layers;
    };

    // The object under the pointer and the part of it.
    struct HoverObject {
        std::shared_ptr<Edit::Object> object;
        int kind = 0;
        int section = -1;
        // Repaints the row of a layer.
        std::function<void(int layer)> onChange;
    };

    // The scene's focus object as the area last painted it.
    struct FocusMark {
        std::shared_ptr<Edit::Object> object;
        std::function<void(int layer)> onChange;
    };

    struct HitArea {
        int kind = 0;
        int section = -1;
    };

    EditLayerObjectControl(EditComponent& panel, Window::WindowControl& parent, int left, int top, int right,
                           int bottom);
    ~EditLayerObjectControl() override;

    void procMouseMove(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procDragCancel() override;
    bool procDragKey(int virtualKey) override;
    void procKeyUp() override;
    void procLButtonDown(int x, int y) override;
    void procRButtonDown(int x, int y) override;
    void procMouseLeave() override;
    void procCaptureLost() override;
    void procMouseWheel(int x, int y, int delta) override;
    void procContextMenu(int x, int y) override;
    bool procDragOver(int x, int y, Window::DropInfo* info) override;
    bool procDrop(int x, int y, Window::DropInfo* info) override;
    void procDragLeave() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;

    // The scene's layer table grows to the panel's layer range.
    void ensureLayerCount();
    // One row, when it is in view.
    void paintLayer(int layer);
    // The overlay lines drawn over saved pixels: the player cursor at the
    // scene's playback frame, the drop and menu marker at a frame.
    void paintPlayerCursor();
    void paintFrameMarker(int frame);

    EditComponent& panel;
    Media::WindowTemporaryImage temporaryImage;
    DragExtent dragExtent;
    int dragMode = 0;
    int boundarySide = 0;
    int pressFirstLayer = 0;
    int pressFirstFrame = 0;
    int pressLayer = 0;
    int pressFrame = 0;
    int dragLayer = 0;
    int dragFrame = 0;
    std::vector<int> pressEdges;
    HoverObject hover;
    FocusMark focusMark;
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    int originX = 0;
    int originY = 0;
    int dx = 0;
    int dy = 0;
};

}  // namespace Component
