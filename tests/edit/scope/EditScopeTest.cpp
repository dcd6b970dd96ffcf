#include "edit/scope/EditScope.h"

#include "core/base/Exception.h"
#include "edit/scope/EditReadScope.h"
#include "edit/scope/ScopeTestSupport.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using EditTest::kFigure;

// An undo record that only reports its commit.
class Probe : public Undo::UndoItem {
public:
    explicit Probe(std::function<void()> onCommit) : onCommit_(std::move(onCommit)) {}
    bool commit() override {
        onCommit_();
        return true;
    }
    void saveUndo() override {}
    void saveRedo() override {}
    void undo(Edit::EditScope&) override {}
    void redo(Edit::EditScope&) override {}

private:
    std::function<void()> onCommit_;
};

class Scopes : public ::testing::Test, public ScopeTest::Fixture {
protected:
    Event::EventService& ev() { return *System::Singleton<Event::EventService>::getInstance(); }

    // Records every refresh and listener call by name, with whether the lock
    // was free at that moment.
    void recordAll() {
        const auto note = [this](std::string name) {
            calls.push_back(name);
            if (!lockFree()) lockedDuring.push_back(name);
        };
        edit.hooks.clearSettingSection = [=] { note("clearSection"); };
        edit.hooks.rebuildSetting = [=] { note("rebuild"); };
        edit.hooks.refreshSetting = [=] { note("refresh"); };
        edit.hooks.refreshTimeSetting = [=](const Edit::ObjectPointer& target) {
            note(target ? "time(object)" : "time");
        };
        edit.hooks.refreshColorSetting = [=] { note("color"); };
        edit.hooks.refreshTextSetting = [=] { note("text"); };
        ev().objectUpdate.add(this, [=](Edit::ObjectPointer& object) {
            note(object ? "objectUpdate(object)" : "objectUpdate");
        });
        ev().layerUpdate.add(this, [=] { note("layerUpdate"); });
        ev().sceneChange.add(this, [=](int id) { note("sceneChange(" + std::to_string(id) + ")"); });
        ev().focusObjectChange.add(this, [=](Edit::ObjectPointer& focus) {
            note(focus ? "focus(" + std::to_string(focus->start) + ")" : "focus(none)");
        });
        ev().frameChange.add(this, [=](int frame) { note("frame(" + std::to_string(frame) + ")"); });
    }
    ~Scopes() override { ev().removeListener(this); }

    std::vector<std::string> calls;
    std::vector<std::string> lockedDuring;
};

// One scope that changes an object, a layer, the scene, the focus and the
// frame: every consequence in the fixed order, all after the lock is gone.
TEST_F(Scopes, EndRunsItsStepsInTheFixedOrderAfterTheUnlock) {
    recordAll();
    int stops = 0;
    edit.hooks.stopPlayback = [&] {
        EXPECT_TRUE(lockFree());  // playback stops before the lock is asked for
        ++stops;
    };
    Edit::ObjectPointer moved;
    {
        Edit::EditScope scope(edit);
        EXPECT_EQ(stops, 1);
        EXPECT_FALSE(lockFree());
        scope.beginUndo();
        undo.addUndoItem(std::make_unique<Probe>([&] {
            // The group is committed under the lock, after the re-sort.
            calls.push_back(scene().getLayerObjectList(0).objects.front() == moved ? "commit(sorted)" : "commit");
            if (!lockFree()) calls.push_back("locked");
        }));
        moved = scene().createObject(kFigure, 0, 50, 59);
        scene().createObject(kFigure, 0, 10, 19);
        moved->start = 0;  // now first on the layer, but not yet sorted
        moved->end = 9;
        scene().getLayerObjectListGrow(0).sortNeeded = true;
        scene().getLayerObjectListGrow(2).layer->name = L"BG";
        scene().focusObject = moved;
        scene().cursorFrame = 7;
        scope.resortLayers = scope.clearSettingSection = scope.rebuildSetting = scope.refreshSetting = true;
        scope.refreshTimeSetting = scope.refreshColorSetting = scope.refreshTextSetting = true;
        scope.notifyObjectUpdate = scope.notifyLayerUpdate = scope.notifySceneChange = true;
        scope.notifyFocusChange = scope.notifyFrameChange = true;
        scope.targetObject = moved;
        scope.sceneId = 0;
        EXPECT_TRUE(calls.empty());
    }
    const std::vector<std::string> expected = {
        "commit(sorted)", "locked", "clearSection", "rebuild",     "time(object)",   "color",    "text",
        "objectUpdate(object)", "layerUpdate", "sceneChange(0)", "focus(0)", "frame(7)"};
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(lockedDuring.empty());
    EXPECT_EQ(scene().getLayerObjectList(0).objects.front(), moved);  // re-sorted before the listeners
    EXPECT_EQ(scene().totalLength, 19);
}

TEST_F(Scopes, AScopeWithoutFlagsOnlyStopsPlaybackAndLocks) {
    recordAll();
    int stops = 0;
    edit.hooks.stopPlayback = [&] { ++stops; };
    {
        Edit::EditScope scope(edit);
        EXPECT_FALSE(lockFree());
    }
    EXPECT_TRUE(lockFree());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(calls.empty());
    {
        Edit::EditScope quiet(edit, false);  // the timeline growing its layers
    }
    EXPECT_EQ(stops, 1);
}

TEST_F(Scopes, RemovedFocusObjectIsClearedAndAnnounced) {
    Edit::ObjectPointer object;
    {
        Edit::EditScope scope(edit);
        object = scene().createObject(kFigure, 1, 0, 9);
        scene().focusObject = object;
        scope.resortLayers = true;
    }
    recordAll();
    {
        Edit::EditScope scope(edit);
        scene().getLayerObjectListGrow(1).reindexNeeded = true;
        object->layer = -1;
        scope.resortLayers = true;  // the command set nothing else
    }
    EXPECT_EQ(calls, std::vector<std::string>{"focus(none)"});
    EXPECT_EQ(scene().focusObject, nullptr);
    EXPECT_TRUE(scene().getLayerObjectList(1).objects.empty());
}

TEST_F(Scopes, RebuildWinsOverRefreshAndTimeRefreshGetsTheTarget) {
    recordAll();
    {
        Edit::EditScope scope(edit);
        scope.rebuildSetting = scope.refreshSetting = scope.refreshTimeSetting = true;
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"rebuild", "time"}));
    calls.clear();
    {
        Edit::EditScope scope(edit);
        scope.refreshSetting = true;
    }
    EXPECT_EQ(calls, std::vector<std::string>{"refresh"});
}

// A command that throws inside the scope: the end still sorts, unlocks and
// notifies, and the exception reaches the command's caller.
TEST_F(Scopes, ACommandThatThrowsStillGetsTheWholeEnd) {
    recordAll();
    Edit::ObjectPointer a, b;
    EXPECT_THROW(
        {
            Edit::EditScope scope(edit);
            a = scene().createObject(kFigure, 0, 30, 39);
            b = scene().createObject(kFigure, 0, 0, 9);
            scope.resortLayers = scope.notifyObjectUpdate = true;
            throw std::runtime_error("command failed");
        },
        std::runtime_error);
    EXPECT_TRUE(lockFree());
    EXPECT_EQ(calls, std::vector<std::string>{"objectUpdate"});
    EXPECT_EQ(scene().getLayerObjectList(0).objects, (std::vector<Edit::ObjectPointer>{b, a}));
}

// A step of the end that fails: the remaining steps still run, the lock is
// released and nothing leaves the destructor; the failure is logged.
TEST_F(Scopes, AFailingStepDoesNotStopTheEnd) {
    recordAll();
    ev().objectUpdate.add(this, [](Edit::ObjectPointer&) { throw std::runtime_error("listener failed"); });
    edit.hooks.refreshColorSetting = [] { throw System::Exception("colour window failed"); };
    TestSupport::LogCapture log;
    {
        Edit::EditScope scope(edit);
        scope.refreshColorSetting = scope.notifyObjectUpdate = scope.notifyLayerUpdate = true;
        scope.notifyFrameChange = true;
    }
    EXPECT_TRUE(lockFree());
    EXPECT_EQ(calls, (std::vector<std::string>{"objectUpdate", "layerUpdate", "frame(0)"}));
    EXPECT_EQ(log.count(System::Log::ERROR, "Edit::EditScope::~EditScope", "colour window failed"), 1);
    EXPECT_EQ(log.count(System::Log::ERROR, "Edit::EditScope::~EditScope", "listener failed"), 0);
}

TEST_F(Scopes, ReadScopeCopiesTheCurrentSceneAndHoldsTheLockShared) {
    const Edit::ScenePointer root = edit.getCurrentScene();
    {
        Edit::EditReadScope read(edit);
        EXPECT_EQ(read.scene, root);
        EXPECT_EQ(read.lock, &edit.getLock());
        EXPECT_TRUE(lockFree());  // other readers still get in
        EXPECT_THROW({ Edit::EditScope nested(edit); }, System::Exception);  // never nested
    }
    {
        Edit::EditScope scope(edit);
        edit.setCurrentScene(3);
    }
    Edit::EditReadScope read(edit);
    EXPECT_EQ(read.scene->id, 3);
    EXPECT_EQ(edit.project.currentSceneId, 3);
}

}  // namespace
