#pragma once
// The scene list: one row per scene of the project in display order. A
// click switches the scene, a drag reorders, a row's menu holds the scene
// commands; a legacy exchange file or a media file dropped on the panel
// becomes a new scene. Created once at start-up; it may float.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "edit/service/EditInstance.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/ListItemControl.h"
#include "window/controls/TitleHeaderControl.h"

#include <memory>

namespace Component {

class SceneListComponent : public Window::WindowClientRenderTarget,
                           public Edit::EditInstance,
                           public Event::EventInstance {
public:
    SceneListComponent();
    ~SceneListComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<SceneListComponent>& instance();

    void rebuildSceneList();
    // Whether the first file may become a scene: "qro" files and what a
    // media object can load, never "txt".
    bool canCreateScene(const std::wstring& path) const;

    void setVisible(bool visible) override;
    void procPaint() override;
    void procMove() override;
    void procContextMenu(int x, int y) override;
    bool procDragOver(int x, int y, Window::DropInfo* info) override;
    bool procDrop(int x, int y, Window::DropInfo* info) override;
    void recreateClient() override;

    Window::WindowControlOwner owner;
    Control::TitleHeaderControl header;
    Control::ListItemControl list;
};

}  // namespace Component
