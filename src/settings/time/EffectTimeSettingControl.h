#pragma once
// The curve editor of the time-control window: draws the target item's
// curve with its points and handles, drags points and handles (Shift keeps
// one axis; points snap to the frame cursor and, when the window shows
// them, to the section boundaries and mid-point positions), adds, deletes,
// copies and pastes points from its menu, and moves the current frame on a
// press in the empty plot. Every change is written into the item at once
// inside an edit scope; a whole drag is one undo step.
// User-interface thread only.
#include "edit/service/EditInstance.h"
#include "edit/undo/UndoInstance.h"
#include "settings/time/TimeControlCurve.h"
#include "settings/time/TimeControlTarget.h"
#include "window/WindowControlRenderTarget.h"
#include "window/WindowMenuEntry.h"

#include <functional>
#include <vector>

namespace Component {

// The window's options the editor reads.
struct TimeControlOptions {
    int displaySectionPosition = 0;
    int displaySectionTime = 0;
    int showWindowTargetMovement = 1;
};

class EffectTimeSettingControl : public Window::WindowControlRenderTarget,
                                 public Edit::EditInstance,
                                 public Undo::UndoInstance {
public:
    // windowMenu appends the window's own items to the context menu.
    EffectTimeSettingControl(Window::WindowControlOwner& owner, const TimeControlOptions& options,
                             std::function<void(Window::MenuEntries&)> windowMenu);

    void loadControlPoints(const std::vector<double>& flat) { curve.load(flat); }
    std::vector<double> saveControlPoints() const { return curve.save(); }
    // Into the target item's curve, and every member of its linked group.
    void storeItemParams(const std::vector<double>& flat);

    // False when it is the target already; else loads its points.
    bool setTarget(const Edit::ObjectPointer& object, const std::shared_ptr<Effect::EffectBase>& effect,
                   Effect::EffectItemNumber* item);
    bool clearTarget();
    const TimeControlTarget& getTarget() const { return target_; }

    void setCursorFrame(int frame);
    // The frame under the plot's x, clamped to the target object.
    void seekFrame(int x);
    // One undo step: the points from the list, written into the item.
    void setControlPoints(const std::vector<double>& flat);
    void addControlPoint(double x, double y);
    void deleteControlPoint(int index);
    void copyControlPoints() { copyBuffer = saveControlPoints(); }
    void pasteControlPoints() { setControlPoints(copyBuffer); }
    // True when the hovered part changed.
    bool updateHover(int x, int y);
    // The context menu as it opens at (x, y).
    Window::MenuEntries createContextMenu(int x, int y);
    // Where a dragged point may snap, as the window's options say.
    CurveSnapGuides snapGuides() const;

    void procMouseMove(int x, int y) override;
    void procMouseLeave() override;
    void procLButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procKeyUp() override;
    void procCaptureLost() override;
    void procContextMenu(int x, int y) override;
    void procPaint() override;
    void procMove() override;

    TimeControlCurve curve;
    CurvePlot plot;
    CurveHover hover;
    CurveHover dragged;
    ControlAnchor pressed;
    // Where the current frame lies in the target object; -1 outside.
    float cursorFraction = -1;
    std::vector<double> copyBuffer;

private:
    // Opens an edit scope on the target (with an undo group when undoable),
    // runs the change, writes the points into the item and repaints.
    void writeChange(bool undoable, const std::function<void()>& change);
    void endDrag();
    // The movement's mid-point positions for the target.
    std::vector<double> sectionPositions() const;
    std::vector<double> sectionTimes() const;
    void drawControlPoint(const ControlAnchor& point, bool after, bool before, CurvePart highlight);

    const TimeControlOptions& options_;
    std::function<void(Window::MenuEntries&)> windowMenu_;
    TimeControlTarget target_;
    int pressX_ = 0, pressY_ = 0, dragX_ = 0, dragY_ = 0;
};

}  // namespace Component
