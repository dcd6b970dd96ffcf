#pragma once
// The object list: per layer, top layer first, the object under the
// current scene's cursor frame, as rows to focus, select, enable or lock.
// Five options of its settings section choose which kinds and media are
// listed. The rows follow the cursor, the scene and every object change,
// also while the panel is hidden. Created once at start-up; it may float.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "core/file/Config.h"
#include "edit/model/Scene.h"
#include "edit/service/EditInstance.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/ListItemControl.h"
#include "window/controls/TitleHeaderControl.h"

#include <memory>
#include <vector>

namespace Component {

class ObjectListComponent : public Window::WindowClientRenderTarget,
                            public Edit::EditInstance,
                            public Event::EventInstance {
public:
    // 1 lists, 0 hides.
    struct DisplayOptions {
        int video = 1;
        int audio = 1;
        int control = 1;
        int filter = 1;
        int media = 1;
    };

    ObjectListComponent();
    ~ObjectListComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<ObjectListComponent>& instance();

    // The objects the options let through at the scene's cursor frame,
    // top layer first.
    static std::vector<Edit::ObjectPointer> collectObjects(const Edit::Scene& scene, const DisplayOptions& options);
    void rebuildList();

    void setVisible(bool visible) override;
    void procPaint() override;
    void procMove() override;
    void procContextMenu(int x, int y) override;
    void createWindowMenu(Window::MenuEntries& menu) override;
    void recreateClient() override;

    DisplayOptions options;
    std::vector<Edit::ObjectPointer> objects;
    Window::WindowControlOwner owner;
    Control::TitleHeaderControl header;
    Control::ListItemControl list;

private:
    System::Config config_{"Window.object.list"};
    System::Config::Int video_{config_, "DisplayVideoObject", &options.video, 1};
    System::Config::Int audio_{config_, "DisplayAudioObject", &options.audio, 1};
    System::Config::Int control_{config_, "DisplayControlObject", &options.control, 1};
    System::Config::Int filter_{config_, "DisplayFilterObject", &options.filter, 1};
    System::Config::Int media_{config_, "DisplayMediaObject", &options.media, 1};
    System::Config::Scope scope_{config_};
};

}  // namespace Component
