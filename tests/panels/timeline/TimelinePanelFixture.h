#pragma once
// The timeline panel without a window, over the program's edit, undo and
// event services: a panel of a known size (style metrics: ruler 24, header
// column 80, rows 28, scroll bars 20), empty objects placed in edits of
// their own, and the project's saved bytes.
#include "core/CoreTestSupport.h"
#include "core/event/EventService.h"
#include "edit/model/Project.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "panels/timeline/EditComponent.h"

#include <memory>
#include <string>

namespace TimelineTest {

class PanelFixture {
public:
    // An object area 1000 pixels wide and eleven rows high.
    PanelFixture() { resize(80 + 1000 + 20, 24 + 20 + 28 * 10); }

    void resize(int width, int height) {
        panel->clientRect = {0, 0, width, height};
        panel->procMove();
    }

    Edit::Scene& scene() { return *edit().getCurrentScene(); }
    Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }
    Undo::UndoService& undo() { return *System::Singleton<Undo::UndoService>::getInstance(); }

    Edit::ObjectPointer place(int layer, int start, int end) {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        return scene().createEmptyObject(layer, start, end);
    }

    std::string saved() {
        Edit::Project::saveProjectFile(edit().project, folder.wide("project.mvp2"));
        return CoreTest::readBytes(folder.file("project.mvp2"));
    }

    System::Singleton<Event::EventService> events;
    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    CoreTest::TempFolder folder;
    std::unique_ptr<Component::EditComponent> panel = std::make_unique<Component::EditComponent>();
};

}  // namespace TimelineTest
