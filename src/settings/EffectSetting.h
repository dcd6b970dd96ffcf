#pragma once
// One block of the object settings window: the visual unit of one effect
// of the shown object (an input shares its block with the output after it).
// A 2-pixel separator, the header row, then one parameter row per item.
// The block carries the gestures of a whole effect: folding, the header's
// switches, reordering filters by dragging the header, a file dropped on
// the block, and the context menu of cut, copy and paste.
//
// Blocks are destroyed all at once when a scope that rebuilds the settings
// ends, the block whose command ended it included: a command never touches
// its block after ending its scope, and the window frees blocks only once
// the input event has been handled.
// User-interface thread only.
#include "edit/undo/UndoInstance.h"
#include "settings/EffectSettingHeader.h"
#include "settings/rows/EffectItemRowHost.h"
#include "window/WindowControlOwner.h"
#include "window/WindowMenuEntry.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/RectControl.h"

#include <memory>
#include <vector>

namespace Effect {
class EffectBase;
class EffectItem;
}  // namespace Effect

namespace Component {

class EffectItemBaseControl;
class SettingComponent;

// The highlight of one block at a time.
class EffectSettingSelect {
public:
    // The effect of the highlighted block, or null.
    static const Effect::EffectBase* selectedEffect;
    // Un-highlights the highlighted block of the window, if any.
    static void clearSelection(SettingComponent& window);

    bool selected = false;
};

class EffectSetting : public EffectSettingSelect,
                      public Window::WindowControlRenderTarget,
                      public Undo::UndoInstance,
                      public EffectItemRowHost {
public:
    using EffectPointer = std::shared_ptr<Effect::EffectBase>;

    // A block for the effect; for an input, `output` is the chain entry
    // after it.
    EffectSetting(SettingComponent& window, Window::WindowControlOwner& blockOwner, EffectPointer effect,
                  EffectPointer output = {});
    ~EffectSetting() override;

    // Rows again from the items (none while folded). Callers lay out.
    void rebuildItemControls();
    void addItemControl(const EffectPointer& owner, Effect::EffectItem& item);
    EffectItemBaseControl* findItemControl(const Effect::EffectItem* item) const;
    // The first row of a file or file-list item.
    EffectItemBaseControl* findFileItemControl() const;
    // Leaves the routing service with every control of the block.
    void detach();

    // EffectItemRowHost
    Edit::ObjectPointer getTargetObject() const override;
    int getSectionIndex() const override;
    const SettingRowOptions& getRowOptions() const override;
    std::shared_ptr<Control::EditFocusGroup::Members> getFocusGroup() override;
    void paintItemBackground(Window::WindowControlRenderTarget& control, const Effect::EffectBase& effect) override;

    void procMouseDrag(int x, int y) override;
    void procLButtonDown(int x, int y) override;
    void procCaptureLost() override;
    void procContextMenu(int x, int y) override;
    bool procDragOver(int x, int y, Window::DropInfo* info) override;
    bool procDrop(int x, int y, Window::DropInfo* info) override;
    void procPaint() override;
    void procMove() override;

    // The header's switches follow the effect's flags.
    void updateSwitches();
    // Highlights this block (un-highlighting another).
    void select();
    // Whether this is the window's first block (the object's first effect).
    bool isFirstBlock() const;
    bool isFilter() const;

    // Commands of the context menu. Those that edit end with the window's
    // rebuild: nothing of the block is used after them.
    void cutEffect();
    void copyEffect();
    void pasteEffect();
    void cutAfterEffect();
    void copyAfterEffect();
    void setDefaultSetting();
    void saveDefaultSetting();
    void resetDefaultSetting();
    void createAlias();
    void toggleFold();
    // Folds every block when one is unfolded, else unfolds them all.
    void foldAll();

    SettingComponent& window;
    EffectPointer effect;
    EffectPointer output;
    Window::WindowControlOwner children;
    Control::LayoutControl headerRow;
    Control::RectControl separator;
    EffectSettingHeader header;
    std::vector<std::shared_ptr<EffectItemBaseControl>> rows;
    // A filter drag swapped the chain: the undo group is open.
    bool dragUndoOpen = false;
    bool movable = false;

private:
    void setupHeader();
    bool moveUp(int dy);
    bool moveDown(int dy);
    void swapWith(int neighbour);
    // The menu popped up by the header's switch button.
    void showSwitchMenu();
    Window::MenuEntries buildContextMenu();

    std::shared_ptr<Control::EditFocusGroup::Members> focusGroup_;
};

}  // namespace Component
