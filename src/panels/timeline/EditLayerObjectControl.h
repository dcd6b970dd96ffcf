#pragma once
// The object area of the timeline: one row per layer, each object of the
// current scene a box over its frame range. It turns pointer input into
// hovering, focusing, selecting and drags (moving, resizing, section
// boundaries, the frame cursor, the rubber band and the pan); the time
// ruler hands it its presses and wheel with a negative y. Every drag of
// objects is one undo step: the group opens at the press and is committed
// when the press ends.
//
// The sources are split by purpose: input and selection
// (EditLayerObjectInput.cpp), the drag edits (EditLayerObjectMove.cpp),
// painting (EditLayerObjectPaint.cpp), and the menu, drops and tooltips
// (EditLayerObjectMenu.cpp).
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "edit/model/Object.h"
#include "edit/service/EditInstance.h"
#include "edit/undo/UndoInstance.h"
#include "media/draw/StrokeStyleList.h"
#include "media/draw/TextFormatList.h"
#include "media/draw/WindowTemporaryImage.h"
#include "panels/timeline/EditLayerObjectFit.h"
#include "panels/timeline/EditLayerObjectGeometry.h"
#include "panels/timeline/EditLayerObjectSnap.h"
#include "window/WindowControlRenderTarget.h"
#include "window/WindowMenuEntry.h"
#include "window/WindowSelectControl.h"

#include <functional>
#include <memory>
#include <string>
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
    using DragExtent = ObjectDragExtent;
    using HitArea = ObjectHitArea;

    enum DragMode : int {
        DragNone = 0,
        DragMove = 1,
        DragStartEdge = 2,
        DragEndEdge = 3,
        DragSection = 4,
        DragCursor = 5,
        DragRubberBand = 6,
        DragPan = 7,
    };

    // The object under the pointer and the part of it.
    struct HoverObject {
        std::shared_ptr<Edit::Object> object;
        int kind = 0;
        int section = -1;
        // Repaints the row of a layer.
        std::function<void(int layer)> onChange;

        // Empties the record, repainting the row of an object still on a
        // layer.
        void clear();
    };

    // The scene's focus object as the area last painted it.
    struct FocusMark {
        std::shared_ptr<Edit::Object> object;
        std::function<void(int layer)> onChange;

        void setObject(const std::shared_ptr<Edit::Object>& next);
    };

    EditLayerObjectControl(EditComponent& panel, Window::WindowControl& parent, int left, int top, int right,
                           int bottom);
    ~EditLayerObjectControl() override;

    // ---- Input and selection
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

    // The view of the current scene as the area maps it now.
    ObjectAreaView view() const;
    SnapTargets snapTargets() const;
    const Edit::ObjectPointer& hitTestObject(int x, int y) const;
    HitArea hitTestArea(const Edit::Object& object, int x) const;
    void setDragMode(int mode, int x, int y);
    void startDrag(int mode, int x, int y, const std::vector<Edit::ObjectPointer>& objects);
    void endDrag(bool release);
    void finishDrag();
    void selectEdgeObjects();
    void selectRectangleObjects();
    void selectAllObjects();
    void selectObjectsFromCursor();
    void selectObjectsToCursor();

    // ---- Moving and resizing
    int snapDelta(int delta) const;
    void dragMove(int x, int y);
    void moveObjects(int& layerDelta, int& frameDelta);
    void resizeStart(int& delta);
    void resizeEnd(int& delta);
    void moveSection(int& delta);
    void notifyResize();
    void showMoveTime();
    // "00:00:01.00 ( 00:01.00 )": the dragged point's time and its time from
    // the object's start.
    static std::wstring formatMoveTime(int frame, int start, int rate, int scale);

    // ---- Menu, drops and tooltips
    void procContextMenu(int x, int y) override;
    bool procDragOver(int x, int y, Window::DropInfo* info) override;
    bool procDrop(int x, int y, Window::DropInfo* info) override;
    void procDragLeave() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    // The menu for the pointer at (x, y) of the area; the target layer and
    // frame and the pressed boundary are taken as procContextMenu takes
    // them.
    Window::MenuEntries buildContextMenu(const Edit::ObjectPointer& hit, int section, int layer, int frame);
    // The paths of a drop in order, one layer further down per file; false
    // (with the error shown) at the first file nothing reads.
    bool dropFiles(const std::vector<std::wstring>& files, int layer, int frame);
    // Whether a drag of these files is taken: decided by the first.
    bool acceptsFiles(const std::vector<std::wstring>& files) const;

    // ---- Painting
    void procPaint() override;
    // The scene's layer table grows to the panel's layer range.
    void ensureLayerCount();
    // One row, when it is in view.
    void paintLayer(int layer);
    void paintLayerRange(int start, int end, int last, bool lastRow, int rowHeight);
    bool paintWaveform(const Edit::Object& object, int first, int x0, int x1);
    void paintSectionMark(float x, int left, int right, const Platform::Cairo::Brush& brush);
    void paintTempoGrid(int first, int last, int rowHeight);
    // The overlay lines drawn over saved pixels: the player cursor at the
    // scene's playback frame, the drop and menu marker at a frame.
    void paintPlayerCursor();
    void paintFrameMarker(int frame);
    void removeFrameMarker();

    EditComponent& panel;
    Window::WindowSelectControl selectControl{*this};
    Media::WindowTemporaryImage temporaryImage;
    DragExtent dragExtent;
    int dragMode = DragNone;
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
    // The rubber band: normalised rectangle, origin and vector.
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    int originX = 0;
    int originY = 0;
    int dx = 0;
    int dy = 0;
    // The pixels under the drop and menu marker, while it is drawn.
    Media::WindowTemporaryImage markerImage;
    bool markerShown = false;

private:
    // The drag position as the fitting reads it.
    ObjectDragPosition dragPosition() const { return {pressLayer, pressFrame, dragLayer, dragFrame}; }
    bool ctrlDown() const;
    bool shiftDown() const;
    void repaintLayer(int layer);
    void registerCtrlWait();
};

}  // namespace Component
