#pragma once
// The base of every parameter row of an effect block: a drawn control the
// height of one row (the text row four) that holds its own controls in a
// layout box inset by the margin, paints the block's row background under
// them, runs its click callback on a press (highlighted under the pointer
// then) and its hover callback when the pointer rests.
//
// Edits go through the value setters of the typed rows: one edit scope, one
// undo step, and the same item of every other selected object follows
// (same chain position, same effect kind, same item position, type code,
// name and class).
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditInstance.h"
#include "edit/undo/UndoInstance.h"
#include "settings/rows/EffectItemRowHost.h"
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/LayoutControl.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Effect {
class EffectBase;
class EffectItem;
}  // namespace Effect

namespace Component {

class EffectItemBaseControl : public Edit::EditInstance,
                              public Event::EventInstance,
                              public Window::WindowControlRenderTarget,
                              protected Undo::UndoInstance {
public:
    // Registers in the block's owner; (0, 0, 0, height): the block sets the
    // row's top when it lays its rows out.
    EffectItemBaseControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                          EffectItemRowHost& host, int height);
    ~EffectItemBaseControl() override;

    // The row's height in pixels (one or four row heights).
    int rowHeight() const { return height_; }
    // One row: the style's SettingItemHeight plus 2.
    static int singleRowHeight();

    // Hovering shows the effect's information tooltip.
    void setShowInfoOnHover();
    // Repaints at once, always with the row background.
    void redraw();

    virtual Effect::EffectItem* getEffectItem() const { return nullptr; }
    // A file for the row's item (a drop on the block); rows without a file
    // throw "not implement.".
    virtual void updateFile(const std::wstring& path);
    // The window's current section changed.
    virtual void updateSection() {}
    // Re-reads the item into the controls.
    virtual void updateValue() {}

    void procLButtonDown(int x, int y) override;
    void procMouseEnter() override;
    void procMouseLeave() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;
    void procMove() override;
    void updateLayout() override;

    // The block's shared pointer: the row does not own the effect.
    const std::shared_ptr<Effect::EffectBase>& effect;
    EffectItemRowHost& rowHost;
    int headerWidth;
    int margin;
    // Every control of the row, painted in registration order.
    Window::WindowControlOwner controls;
    // (margin, 0, -margin, -2): every control a row kind adds is its child.
    Control::LayoutControl layoutBox;
    // The part of the line the row occupies (rows that share a line).
    float startFraction = 0.0f;
    float endFraction = 1.0f;
    std::function<void()> clickCallback;
    std::function<void()> hoverCallback;

protected:
    // Takes the placement fractions of an item that shares its line; a row
    // that does not start at the left edge has no left margin.
    void setPlacement(float start, float end);
    // The window's target object.
    Edit::ObjectPointer targetObject() const { return rowHost.getTargetObject(); }
    // The scope of a value change: the object-update and time-window flags
    // and the target object.
    void prepareScope(Edit::EditScope& scope) const;
    // The item at the same place of every other selected object's same
    // effect (see the class comment), with its object and effect.
    struct SameItem {
        Edit::ObjectPointer object;
        std::shared_ptr<Effect::EffectBase> effect;
        Effect::EffectItem* item;
    };
    std::vector<SameItem> findSelectSameItems(const Effect::EffectItem& item) const;
    // The same effect of every other selected object.
    std::vector<std::shared_ptr<Effect::EffectBase>> findSelectSameEffects() const;
    // Paints the row's controls (and the background when asked).
    void paintRow(bool background);

private:
    int height_;
};

}  // namespace Component
