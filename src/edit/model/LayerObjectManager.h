#pragma once
// The layer table of a scene (index = layer number) with the operations
// that place, size and move objects and insert, delete and move layers.
// Mutations only mark lists dirty; updateLayerObject (run when an edit
// scope closes) re-indexes, sorts and rebuilds the control ranges.
//
// Layer numbers outside the table read a shared static empty list (index
// -1) to which nothing is ever added.
#include "edit/model/LayerObjectList.h"

#include <functional>
#include <memory>
#include <vector>

namespace Edit {

// A filter object is active when any effect of its chain is enabled, any
// other object when its first effect is.
bool isActiveObject(const Object& object);

class LayerObjectManager {
public:
    // Called with a governed range and whether this layer is the last the
    // control governs.
    using ControlCallback = std::function<void(int start, int end, bool last)>;
    // A control that governs every following layer.
    static constexpr int AllLayers = 1000000;

    // Starts with one empty layer, 0. Without a service the process-wide
    // registry makes the effects.
    explicit LayerObjectManager(Effect::EffectService* service = nullptr);
    LayerObjectManager(const LayerObjectManager&) = delete;
    LayerObjectManager& operator=(const LayerObjectManager&) = delete;

    // The list, or the static empty list for an index outside the table.
    const LayerObjectList& getLayerObjectList(int index) const;
    int getLayerCount() const { return static_cast<int>(layers_.size()); }
    // Appends lists until the index exists.
    void growLayer(int index);
    // The list of a layer, the table grown to hold it (index >= 0).
    LayerObjectList& getLayerObjectListGrow(int index);
    void updateLayerObject();
    // The object of a shown layer at the frame when it is active and its
    // first effect's media fits the request (0 takes any media); else the
    // empty object pointer.
    const ObjectPointer& findObjectAtFrame(int layer, int frame, std::uint8_t mediaType) const;
    void enumControlObject(int layer, int from, int to, const ControlCallback& callback) const;
    // Detaches every object and leaves one empty layer.
    void clearLayer();
    std::shared_ptr<Layer>& insertLayer(int index, std::shared_ptr<Layer> settings);
    std::shared_ptr<Layer> deleteLayer(int index);
    bool moveLayer(int from, int to);

    // A new object with the named effect and its saved defaults; on failure
    // nothing stays on the layer and the failure passes on.
    ObjectPointer& createObject(const wchar_t* effectName, int layer, int start, int end);
    ObjectPointer& createEmptyObject(int layer, int start, int end);
    void moveObjectLayer(const ObjectPointer& object, int layer);
    // Sizes an object without boundaries to a length, into the free space
    // before (fromEnd) or after it.
    void fitObjectLength(Object& object, int length, bool fromEnd);
    // New length, boundaries scaled along, up to the next object.
    void setObjectLength(Object& object, int length);
    // New length of one section; the later key frames and the end move.
    void setSectionLength(Object& object, int section, int length);

    // The highest layer holding an object (0 when none) and the greatest
    // end frame (0 when none), as of the last update.
    int lastLayer = 0;
    int totalLength = 0;
    Effect::EffectService* effectService;

private:
    // The end of the object before and the start of the object after the
    // given one on its layer (INT_MIN / INT_MAX when none).
    std::pair<int, int> freeSpaceAround(const Object& object) const;
    void markChanged(const Object& object);
    void swapLayers(int a, int b);

    std::vector<std::unique_ptr<LayerObjectList>> layers_;
};

}  // namespace Edit
