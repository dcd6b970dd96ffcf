#pragma once
// One change to the project model, made on the user-interface thread. The
// scope stops playback and holds the project lock exclusively; commands set
// its change flags while they work. Its end turns the change into its
// consequences in a fixed order: layers re-sorted, the undo group
// committed, the lock released, the settings windows refreshed, then the
// object, layer, scene, focus and frame listeners notified.
//
// The end also runs when a command leaves by an exception. Nothing leaves
// the end itself: a step that fails is logged and shown to the user, and
// the remaining steps still run, so the group is always closed and the
// lock always released.
//
// Scopes never nest: a thread that holds one opens no other scope.
#include "core/event/EventInstance.h"
#include "edit/model/Scene.h"

namespace Edit {

class EditService;
class ProjectLock;

class EditScope : public Event::EventInstance {
public:
    // Without `stopPlayback` the player keeps playing (the timeline growing
    // its layer table while it scrolls).
    explicit EditScope(EditService& service, bool stopPlayback = true);
    ~EditScope();
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

    // Opens the undo group of this scope the first time it is called; a
    // scope opens one group however many commands run in it.
    void beginUndo();

    // The current scene when the scope opened; every step of the end works
    // on it.
    ScenePointer scene;
    bool resortLayers = false;
    bool rebuildSetting = false;
    bool clearSettingSection = false;
    bool refreshSetting = false;
    bool refreshTimeSetting = false;
    bool refreshColorSetting = false;
    bool refreshTextSetting = false;
    bool notifyObjectUpdate = false;
    bool notifyLayerUpdate = false;
    bool notifySceneChange = false;
    bool notifyFocusChange = false;
    bool notifyFrameChange = false;
    // Handed to the object-update listeners; empty: several objects or none
    // in particular.
    ObjectPointer targetObject;
    // Handed to the scene-change listeners.
    int sceneId = 0;
    bool undoOpen = false;
    // The lock held; null once released.
    ProjectLock* lock = nullptr;

private:
    void end() noexcept;
    void releaseLock() noexcept;

    EditService& service_;
};

}  // namespace Edit
