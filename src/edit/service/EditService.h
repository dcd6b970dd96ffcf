#pragma once
// The process-wide owner of the open project (System::Singleton): the
// project, the current scene and the project lock that edit scopes take
// exclusively and render tasks take shared.
//
// The current-scene pointer is replaced only while an edit scope holds the
// lock, and read by render workers only under the shared lock.
#include "core/event/EventInstance.h"
#include "edit/command/ObjectCopyList.h"
#include "edit/model/Project.h"
#include "edit/scope/ProjectLock.h"
#include "edit/service/EditHooks.h"
#include "edit/service/ProjectHooks.h"
#include "edit/undo/UndoInstance.h"

#include <atomic>
#include <string>

namespace Effect {
class EffectService;
}  // namespace Effect

namespace Edit {

class EditService : public Event::EventInstance, public Undo::UndoInstance {
public:
    // Scene 0 is current once construction returns. Without a service the
    // process-wide effect registry makes the effects.
    EditService();
    explicit EditService(Effect::EffectService* effects);
    ~EditService();
    EditService(const EditService&) = delete;
    EditService& operator=(const EditService&) = delete;

    ProjectLock& getLock() { return lock_; }
    const ScenePointer& getCurrentScene() const { return currentScene_; }
    // Null when the program runs without one (some tests).
    Undo::UndoService* getUndoService() const { return undoService; }

    // Makes the scene current, creating it when absent, and points the undo
    // service at its history. The caller holds an edit scope.
    void setCurrentScene(int id);

    // Makes the scene current inside a scope of its own and announces the
    // scene change.
    void updateScene(int id);

    // Stores the frame, kept to 0..the scene's length, as the cursor and
    // announces it; with moveFrameFollowFocusObject the focus moves to the
    // object on its layer at that frame when the frame left it.
    void setCurrentFrame(int frame);
    // Moves the cursor by a step text ("5f": frames; "1.5": seconds) in the
    // direction (+1 or -1); a text of another form does nothing.
    void moveCustomFrame(const std::wstring& step, int direction);

    // The focus follows the cursor.
    int moveFrameFollowFocusObject = 0;

    // Imports a legacy object exchange file as a new scene and makes it
    // current, inside an edit scope of its own; false after a failure,
    // which is reported and leaves the current scene as it was.
    bool importQroScene(const std::wstring& path);

    // --- The project as a whole: new, open, save, close. ---
    // True at once when a restart is pending or nothing is modified;
    // otherwise the user's answer to the discard question.
    bool confirmDiscardProject();
    // Every scene goes; a fresh scene 0 becomes current, nothing modified.
    void clearProject();
    // After the discard question, a new project from the scene dialog.
    void createProject();
    // False when the file is missing or the user keeps the project. A file
    // that cannot be read leaves an empty project without a path (reported);
    // the result is then still true. With adoptPath the project takes the
    // given path, otherwise the one stored in the file stays.
    bool loadProject(const std::wstring& path, bool confirm, bool adoptPath);
    // Writes the project (the file is replaced only when complete); false
    // after a failure, which is reported and leaves the project modified. A
    // quiet save leaves the footer and the recent-project list alone.
    bool saveProject(const std::wstring& path, bool quiet);
    // Asks for a file name starting from the project path.
    void saveProjectAs();
    // To the project's own file, or as a new file when it has none.
    void saveProjectOverwrite();
    // Whether the project path names a file.
    bool hasProjectFile() const;
    // "ProjectFile (*.mvp2)", then every file, in the file-dialog form.
    static const std::wstring& projectFileFilter();
    ProjectHooks projectHooks;
    // --- end of the project block ---

    Project project;
    EditHooks hooks;

    // The object clipboard (not the system clipboard): filled by copy, cut
    // and trim, pasted by paste.
    ObjectCopyList clipboard;

    // Options of the on-picture handles, read by render workers: dots on
    // movement paths, object handles as centre points instead of outlines,
    // snapping of object drags to other objects.
    std::atomic<int> displayObjectMovePoint{1};
    std::atomic<int> displayObjectCenterAnchor{0};
    std::atomic<int> anchorObjectMoveSnap{1};
    // Clipping objects are shown tinted instead of clipping (the toggle of
    // the clipping object's handle).
    std::atomic<bool> visibleClippingObject{false};

private:
    ScenePointer currentScene_;
    ProjectLock lock_;
};

}  // namespace Edit
