#include "edit/undo/LayerUndo.h"

#include "edit/model/Layer.h"
#include "edit/scope/EditScope.h"

namespace Edit {

namespace {
void setLayerFlags(EditScope& scope) {
    scope.refreshTimeSetting = scope.notifyObjectUpdate = scope.notifyLayerUpdate = true;
}
}  // namespace

void LayerUndoUpdate::capture(const Layer& layer) {
    hide = layer.hide;
    lock = layer.lock;
    name = layer.name;
}

bool LayerUndoUpdate::isChange(LayerUndoUpdate& before, LayerUndoUpdate& after) {
    return before.hide != after.hide || before.lock != after.lock || before.name != after.name;
}

void LayerUndoUpdate::restore(const std::shared_ptr<Layer>& layer, EditScope& scope) const {
    layer->hide = hide;
    layer->lock = lock;
    layer->name = name;
    setLayerFlags(scope);
}

void LayerUndoMove::capture(const Layer& layer) { index = layer.index; }

bool LayerUndoMove::isChange(LayerUndoMove& before, LayerUndoMove& after) { return before.index != after.index; }

void LayerUndoMove::restore(const std::shared_ptr<Layer>& layer, EditScope& scope) const {
    scope.scene->moveLayer(layer->index, index);
    scope.resortLayers = true;
    setLayerFlags(scope);
}

void LayerUndoCreateDelete::capture(const Layer& layer) { index = layer.index; }

bool LayerUndoCreateDelete::isChange(LayerUndoCreateDelete& before, LayerUndoCreateDelete& after) {
    return before.index != after.index;
}

void LayerUndoCreateDelete::restore(const std::shared_ptr<Layer>& layer, EditScope& scope) const {
    if (index < 0) {
        if (layer->index >= 0) scope.scene->deleteLayer(layer->index);
    } else if (layer->index < 0) {  // a layer still in the table is not inserted twice
        layer->index = index;
        scope.scene->insertLayer(index, layer);
    }
    scope.resortLayers = true;
    setLayerFlags(scope);
}

}  // namespace Edit
