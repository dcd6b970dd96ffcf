#pragma once
// The change records of a layer's settings and place, made by the
// timeline's layer header.
#include <cstdint>
#include <memory>
#include <string>

namespace Edit {

class EditScope;
struct Layer;

struct LayerUndoUpdate {
    bool hide = false;
    bool lock = false;
    std::wstring name;

    void capture(const Layer& layer);
    static bool isChange(LayerUndoUpdate& before, LayerUndoUpdate& after);
    void restore(const std::shared_ptr<Layer>& layer, EditScope& scope) const;
};

// The layer's index in the scene.
struct LayerUndoMove {
    std::int32_t index = -1;

    void capture(const Layer& layer);
    static bool isChange(LayerUndoMove& before, LayerUndoMove& after);
    void restore(const std::shared_ptr<Layer>& layer, EditScope& scope) const;
};

// The layer's index, or -1 when it is not in the scene.
struct LayerUndoCreateDelete {
    std::int32_t index = -1;

    void capture(const Layer& layer);
    static bool isChange(LayerUndoCreateDelete& before, LayerUndoCreateDelete& after);
    void restore(const std::shared_ptr<Layer>& layer, EditScope& scope) const;
};

}  // namespace Edit
