#pragma once
// The process-wide undo service (System::Singleton): collects the records
// of the edit in progress, stores finished groups in the current scene's
// history and runs undo and redo there. Each scene owns its history; the
// edit service points the service at the current scene's one.
// User-interface thread only.
#include "core/file/Config.h"
#include "edit/model/Object.h"
#include "edit/undo/UndoHistory.h"

#include <memory>

namespace Edit {
class EditService;
struct Layer;
}  // namespace Edit

namespace Component {
class ColorSettingColors;
}  // namespace Component

namespace Effect {
class EffectItem;
}  // namespace Effect

namespace Undo {

class UndoService {
public:
    UndoService();
    ~UndoService();
    UndoService(const UndoService&) = delete;
    UndoService& operator=(const UndoService&) = delete;

    // Opens a group: recording, and the pending records emptied.
    void beginUndoGroup();

    // Each makes one record from the target's current state and appends it
    // to the pending group.
    void addObjectUndoUpdate(const Edit::ObjectPointer& object);
    void addObjectUndoCreate(const Edit::ObjectPointer& object);
    void addObjectUndoDelete(const Edit::ObjectPointer& object);
    // The boundaries, then every effect of the chain in chain order.
    void addObjectUndoSection(const Edit::ObjectPointer& object);
    void addObjectUndoGroup(const Edit::ObjectPointer& object);
    void addObjectUndoEffect(const Edit::ObjectPointer& object);
    void addObjectUndoFlag(const Edit::ObjectPointer& object);
    void addObjectUndoLayerRange(const Edit::ObjectPointer& object);
    void addEffectUndoUpdate(const Edit::EffectManager::EffectPointer& effect);
    void addLayerUndoUpdate(const std::shared_ptr<Edit::Layer>& layer);
    void addColorSettingUndoUpdate(Component::ColorSettingColors& window);
    // A record the caller made and filled (the layer header's own records).
    void addUndoItem(std::unique_ptr<UndoItem> item);

    // Closes the group: the records that describe a change become the
    // newest group of the history (dropping the redo part); a group of no
    // change stores nothing. A record whose commit fails is dropped, the
    // others are stored, and the failure goes on afterwards.
    void commitUndoGroup();

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    // The text box's undo and redo of one text item: only when the next
    // group is a change of that item alone.
    void undoText(const Effect::EffectItem* item);
    void redoText(const Effect::EffectItem* item);
    static bool isEffectItemOnlyUndo(const UndoGroup& group, const Effect::EffectItem* item);

    // The most groups a history keeps; below 1 none.
    int UndoMax = 100;
    // The current scene's history; null while no scene is current.
    UndoHistory* history = nullptr;
    // The service whose scope undo and redo run in; set by the edit service.
    Edit::EditService* editService = nullptr;
    UndoGroup pending;
    // A group was stored since the last save or clear.
    bool modified = false;
    // A group is open.
    bool recording = false;

private:
    template <class Target, class Change>
    void add(std::shared_ptr<Target> target);
    // Applies one group in a scope of its own; `textOnly` keeps the
    // settings window's rows.
    void apply(UndoGroup& group, bool forward, bool textOnly);

    System::Config config_{"Undo"};
    System::Config::Int undoMax_{config_, "UndoMax", &UndoMax, 100};
    System::Config::Scope scope_{config_};
};

}  // namespace Undo
