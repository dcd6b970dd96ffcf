#pragma once
// One timeline: the layer table with its objects, the video and audio
// format, the cursor, focus and selection, the view (first frame and layer,
// zoom), the grid, tempo and camera view, and the place in the scene list.
// A new scene takes the project defaults of the "Edit" settings group.
//
// User-interface thread; changes happen inside an edit scope, render
// workers read under the shared lock.
#include "edit/model/FrameRate.h"
#include "edit/model/LayerObjectManager.h"
#include "edit/undo/UndoHistory.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Edit {

// The timeline zoom, pixels per frame x 10000, kept to the allowed steps by
// its normaliser.
struct FrameZoom {
    int zoom = 10000;
    std::function<int(int)> normalizer;

    void set(int value) { zoom = normalizer ? normalizer(value) : value; }
};

// The selected objects in selection order.
class ObjectSelection {
public:
    void clear();

    std::vector<ObjectPointer> objects;
    // The object clicked again while already selected.
    const Object* clickedAgain = nullptr;
    bool controlSelected = false;
    int maxLayer = 0;
};

// One entry of the scene list's context menu; a separator has no text.
struct SceneMenuEntry {
    enum class Action { None, Create, Delete, Duplicate, Rename, Setting };
    const wchar_t* text = nullptr;
    Action action = Action::None;
    bool enabled = true;
};

// Comma-separated decimal integers, up to the first piece that is not one.
std::vector<int> stringToIntList(const std::wstring& text);
std::wstring intListToString(const std::vector<int>& list);

class Scene : public LayerObjectManager {
public:
    // The camera view's fourteen values, the record the camera control
    // keeps; only the position and the target are saved.
    using CameraView = std::array<float, 14>;
    static constexpr CameraView DefaultCamera = {0, 0, -1024, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1024};
    // Position X, Y, Z and target X, Y, Z within the record.
    static constexpr std::array<std::size_t, 6> SavedCamera = {0, 1, 2, 4, 5, 6};

    Scene(int id, int listOrder, Effect::EffectService* service = nullptr);

    // "Root" for 0, else "Scene" and the id, through the Name table.
    static std::wstring getDefaultName(int id);
    // The highest audio rate a scene may have (the scene dialog's limit).
    static constexpr int maxAudioRate = 3072000;

    // Six "%f" values when the position or target moved, else empty.
    std::string cameraToString() const;
    // Exactly six comma-separated numbers set position and target; a piece
    // that is not a number ends the reading.
    void cameraFromString(const std::string& text);

    // Everything but id, name and list order; objects as new objects with
    // new effects, groups rebuilt among the copies.
    void copyScene(const Scene& source);

    // The scene list's context menu for this scene, in order.
    std::vector<SceneMenuEntry> getSceneMenu() const;
    // The information tooltip's text.
    std::wstring getSceneInfoText() const;
    // A layer's name, or the translated "Layer" and its number from 1.
    std::wstring getLayerName(int index) const;
    // Stores a different focus object; false when it is the current one.
    bool setFocusObject(const ObjectPointer& object);

    void selectObject(const ObjectPointer& object);
    bool selectObjectWithGroup(const ObjectPointer& object);
    bool anySelectObject(const std::function<bool(const Object&)>& predicate) const;
    // The effect at the same chain index of every other selected object,
    // when it is of the same kind.
    std::vector<EffectManager::EffectPointer> getSelectSameEffect(const Object& object,
                                                                  const Effect::EffectBase& effect) const;
    std::vector<std::pair<ObjectPointer, EffectManager::EffectPointer>> getSelectSameEffectPair(
        const Object& object, const Effect::EffectBase& effect) const;

    std::wstring name;
    const int id;
    int videoRate = 30;
    int videoScale = 1;
    int width = 1920;
    int height = 1080;
    int audioRate = 48000;
    int cursorFrame = 0;
    bool playing = false;
    int playingFrame = 0;
    ObjectPointer focusObject;
    int selectStartFrame = -1;
    int selectEndFrame = -1;
    int selectAnchorFrame = 0;
    float tempoBeatPerMinute = 120.0f;
    int tempoBeatTime = 4;
    float tempoOffsetTime = 0.0f;
    std::vector<int> gridX;
    std::vector<int> gridY;
    int gridWidth = 200;
    int gridHeight = 200;
    float gridStep = 200.0f;
    float gridRange = 10000.0f;
    CameraView camera = DefaultCamera;
    int displayFrame = 0;
    int displayFrameCount = 0;  // kept by the timeline, not saved
    int displayLayer = 0;
    FrameZoom zoom;
    ObjectSelection selection;
    int listOrder;
    // This scene's own undo and redo steps.
    Undo::UndoHistory undoHistory;

    // The timeline's zoom steps; empty accepts every value.
    static inline std::vector<int> zoomSteps;

private:
    void applyEditSettings();
    template <class Visit>
    void forSelectSameEffect(const Object& object, const Effect::EffectBase& effect, Visit visit) const;
};

using ScenePointer = std::shared_ptr<Scene>;

}  // namespace Edit
