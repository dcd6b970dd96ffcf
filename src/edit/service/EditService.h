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
#include "edit/service/BackupHistory.h"
#include "edit/service/CommandLine.h"
#include "edit/service/EditHooks.h"
#include "edit/service/EditSettings.h"
#include "edit/service/ProjectHistory.h"
#include "edit/service/ProjectHooks.h"
#include "edit/service/SelectControl.h"
#include "edit/undo/UndoInstance.h"

#include <atomic>
#include <cstdint>
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

    // ---- Scene operations. The dialogs go through Dialog::DialogSeam;
    // a cancelled dialog changes nothing. Each logs one line.
    // Asks for a new name of the scene; an unknown id does nothing.
    void renameScene(int id);
    // Shows the scene dialog with the values given and stores the answer
    // in the scene; an unknown id does nothing.
    void settingScene(int id, const std::wstring& name, int rate, int scale, int width, int height,
                      int audioRate);
    // createScene with the next free id's default name and the current
    // scene's format.
    bool createNewScene();
    // Asks for the new scene's settings; on OK makes the scene with the next
    // free id and switches to it. False when cancelled.
    bool createScene(const std::wstring& name, int width, int height, int rate, int scale, int audioRate);
    // Asks for a name and copies the scene right behind it in the scene
    // list; the current scene stays.
    void duplicateScene(int id);
    // Deletes the scene (never scene 0), asking first when it holds
    // objects; the current scene gives way to scene 0 first.
    void deleteScene(int id);
    // ---- end of the scene operations

    // ---- Selection. Notifying calls every selectObjectChange listener.
    // False when the object already was selected. An object on a locked
    // layer stays unselected (and notify still notifies).
    bool selectObject(const ObjectPointer& object, bool notify);
    // A click on the object: selects it (with its group when asked) and
    // claims the control's gesture.
    void clickSelectObject(SelectControl& control, const ObjectPointer& object, bool withGroup);
    // A click on nothing: clears the selection unless Ctrl or a drag keeps it.
    void clearSelectObject(SelectControl& control);
    // ---- end of the selection

    // Stores a different focus object in the current scene and calls the
    // focus listeners with it; the same object does nothing. Opens no scope.
    void setFocusObject(const ObjectPointer& object);
    // The display name of a layer of the current scene.
    std::wstring getLayerName(int index) const;

    // Imports a legacy object exchange file as a new scene and makes it
    // current, inside an edit scope of its own; false after a failure,
    // which is reported and leaves the current scene as it was.
    bool importQroScene(const std::wstring& path);

    // --- The project as a whole: new, open, save, close. ---
    // True at once when a restart is pending or nothing is modified;
    // otherwise the user's answer to the discard question.
    bool confirmDiscardProject();
    // The project changed in a way the undo groups do not count (scene
    // operations, imports): the discard question asks again.
    void markModified();
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

    // ---- The "Edit" settings (keys of the same name), loaded from the main
    // settings file at construction and written back at destruction.
    // At exit the project goes to the resume file and comes back at start.
    int editResume = 0;
    // Periodic backups: on/off, minutes between them, files kept.
    int autoBackup = 1;
    int autoBackupInterval = 5;
    int autoBackupFileMax = 20;
    // Recent projects kept.
    int historyFileMax = 10;
    // Timeline drags snap to other objects.
    int layerObjectMoveSnap = 1;
    // A single click focuses the object: on the timeline, on the preview.
    int singleClickFocusLayerObject = 1;
    int singleClickFocusAnchorObject = 0;
    // A click selects the object's whole group: timeline, preview.
    int clickLayerObjectSelectGroup = 1;
    int clickAnchorObjectSelectGroup = 1;
    // Options of the on-picture handles, read by render workers: dots on
    // movement paths, object handles as centre points instead of outlines,
    // snapping of preview drags to other objects.
    std::atomic<int> displayObjectMovePoint{1};
    std::atomic<int> displayObjectCenterAnchor{0};
    std::atomic<int> anchorObjectMoveSnap{1};
    // The other handles hide while the mouse is over one.
    int mouseHoverHideOtherAnchor = 0;
    // New sections and splits at the cursor frame.
    int addSectionSplitByCursorFrame = 0;
    // Media objects keep their playback position when their ends are dragged.
    int fixedMovieTimeRange = 0;
    // Range selection while the cursor moves: 0 never, 1 with Shift.
    int moveFrameSelectRangeMode = 1;
    // The focus follows the cursor.
    int moveFrameFollowFocusObject = 0;
    // Steps of the custom cursor moves A to D (see moveCustomFrame).
    std::wstring customMoveFrameA = L"5f";
    std::wstring customMoveFrameB = L"1";
    std::wstring customMoveFrameC = L"30";
    std::wstring customMoveFrameD = L"60";
    // Played when an export completes; empty plays nothing.
    std::wstring outputCompleteSoundFile;
    // An Alt+left drag acts as a right drag.
    int altLeftClickToRightClick = 0;
    // A media file dropped on an empty scene sets the scene's format.
    int adjustSceneByDropFile = 0;
    // ---- end of the "Edit" settings

    Project project;
    EditHooks hooks;

    // The object clipboard (not the system clipboard): filled by copy, cut
    // and trim, pasted by paste.
    ObjectCopyList clipboard;

    // Clipping objects are shown tinted instead of clipping (the toggle of
    // the clipping object's handle).
    std::atomic<bool> visibleClippingObject{false};

    // ---- Start-up, exit, crash recovery and the file histories.
    // The application-begin listener: after asking, the emergency backup of
    // a run that ended abnormally; otherwise the restart project, the
    // project named on the command line or the resume project. Then the
    // history and backup settings apply and the automatic backup and the
    // crash recovery start.
    void applicationBegin();
    void applicationBegin(OptionTable options);
    // The process's own command line.
    static OptionTable parseCommandLine();
    // Once per service: the emergency backup and "recover.mvp2" (or, when
    // the project lock cannot be had, a copy of the newest backup), and the
    // resume file goes. Any thread, also from the crash handler.
    void applicationRecovery();
    // The application-end listener: the timer stops; with editResume the
    // project goes to "resume.mvp2" unless a fatal error happened.
    void saveResumeProject();
    // Arms the automatic backup from the settings, or stops it.
    void updateAutoBackupTimer();
    // "%AppData%/" + name, expanded.
    static std::wstring getDataFilePath(const wchar_t* name);

    ProjectHistory projectHistory;
    BackupHistory backupHistory;
    // Edit scopes closed so far; an automatic backup is written only when
    // it moved since the last one.
    std::uint64_t editCount = 0;
    // ---- end of start-up and histories

private:
    void startHistories();
    void stopHistories() noexcept;

    std::atomic<bool> recovered_{false};
    // A load given up for a termination request: the empty project that
    // replaced it is no work to resume.
    bool loadInterrupted_ = false;
    // After the option members it binds.
    EditSettings settings_;
    ScenePointer currentScene_;
    ProjectLock lock_;
};

}  // namespace Edit
