#pragma once
// The handles of the current preview frame over the picture: lays the
// anchors' normalised points out in the control's pixels, draws them in the
// style colours, finds the one under the pointer, and turns presses and
// drags into anchor events for the effects that made them. A drag is one
// undo group: it opens at the press, every step runs in an edit scope of
// its own, and the group is committed when the drag ends.
//
// The preview's picture control derives from it and routes its mouse input
// here; the preview hands it each new anchor list and the picture
// rectangle. User-interface thread only.
#include "core/event/EventInstance.h"
#include "edit/service/EditInstance.h"
#include "edit/service/SelectControl.h"
#include "edit/undo/UndoInstance.h"
#include "effect/anchor/AnchorEvent.h"
#include "media/draw/StrokeStyleList.h"
#include "window/WindowControlRenderTarget.h"

#include <exception>
#include <functional>
#include <optional>
#include <vector>

namespace Anchor {

class AnchorControl : public Window::WindowControlRenderTarget,
                      public Edit::EditInstance,
                      public Undo::UndoInstance,
                      public Resource::StrokeStyleResource,
                      public Event::EventInstance,
                      public AnchorControlData,
                      public Edit::SelectControl {
public:
    enum Button { LeftButton = 1, RightButton = 2 };
    enum DragMode { NoDrag = 0, LeftDrag = 1, RightDragMode = 2 };

    AnchorControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    AnchorControl(Window::WindowControl& parent, int left, int top, int right, int bottom);
    ~AnchorControl() override;

    // Only the anchors; the picture's control draws its frame first.
    void procPaint() override;

    // Screen points, centres, radii, the hit list and the snap targets from
    // the items and the picture rectangle; the hovered anchor is found again.
    void layoutAnchors();
    // Inside one draw scope of the control; nothing without items.
    void drawAnchors();
    // The anchor a press at the point would work on, or null.
    AnchorItem* hitTestAnchor(int x, int y);
    // The first camera-view anchor of the hit list, or null.
    AnchorItem* findCameraView();
    // The first hit-list item of the object and effect with the index.
    AnchorItem* findAnchor(const Edit::Object* object, const Effect::EffectBase* effect, int index);
    // True when the hovered anchor changed.
    bool setHovered(AnchorItem* item);
    void beginAnchorDrag(int x, int y, int button, AnchorItem* item);
    void moveAnchorDrag(int x, int y);
    void endAnchorDrag();

    // Replaces the shown items (the hovered pointer goes with them; it is
    // found again by effect, index and flags).
    void setItems(std::vector<AnchorItem> list);

    std::vector<AnchorItem> items;
    AnchorItem* hovered = nullptr;
    std::shared_ptr<Effect::EffectBase> hoveredEffect;
    std::int32_t hoveredIndex = 0;
    std::uint32_t hoveredFlags = 0;
    int dragMode = NoDrag;
    int dragX = 0;
    int dragY = 0;
    std::vector<AnchorEvent> dragRecords;

    // Whether a key (a virtual-key code) is held; the keyboard's state by
    // default, tests replace it.
    std::function<bool(int virtualKey)> isKeyHeld;
    // Whether the mouse service counts the press being handled as a double
    // click; the routing service's flag by default.
    std::function<bool()> isDoubleClick;
    // Shows a failure of an effect during a drag step; the exception box by
    // default.
    std::function<void(const std::exception&)> reportFailure;
    // The object settings window's "SectionViewMode" (2: the next section
    // is shown too); filled by that window, 0 without one.
    static std::function<int()> getSectionViewMode;

    // Edit::SelectControl: the gesture of the press being handled.
    std::optional<int> gestureOwnerTag() const override { return gestureTag_; }
    void claimGesture(int tag) override { gestureTag_ = tag; }
    bool isControlKeyDown() const override;
    bool isMouseCaptured() const override;
    // A new press forgets the gesture of the last one.
    void resetPressGesture() { gestureTag_.reset(); }

private:
    void startMouseDrag(int x, int y, bool sizeAll);
    void sendClick(const AnchorItem& item, std::int32_t kind, bool& handled);
    void addDragRecord(const AnchorItem& item, std::int32_t kind);
    void beginUndoGroup();
    // Effects that fail during a step end the drag; the program goes on.
    void failDrag(const std::exception& e);
    // The not-allowed cursor while an effect refuses the drag's steps.
    void showRefusal(bool refused);

    std::optional<int> gestureTag_;
};

// An event of the item's kind with every field of the item (matrix,
// payload, label and tag only for drags).
AnchorEvent makeAnchorEvent(AnchorControlData& control, const AnchorItem& item, std::int32_t kind);

}  // namespace Anchor
