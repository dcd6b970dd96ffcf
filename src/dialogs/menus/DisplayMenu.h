#pragma once
// "表示": one check item per program window to show or hide it (the media
// explorers in a submenu of their own, named after their current folder),
// the zoom of the preview picture and of the timeline, the display
// switches and the playback commands. The windows listed are those that
// exist when the menu is built.
#include "dialogs/menus/MenuBase.h"

#include <vector>

namespace Edit {
class EditService;
}  // namespace Edit

namespace Render {
class RenderService;
}  // namespace Render

namespace Menu {

class DisplayMenu : public MenuBase {
public:
    DisplayMenu(Window::WindowMenu::Entry& menu, Edit::EditService* edit, Render::RenderService* render)
        : MenuBase(menu), editService(edit), renderService(render) {}
    void createMenu() override;

    // The zoom reached from a display zoom by one step of the factor (1.1
    // in, 0.9 out): rounded half away from zero, kept to 10 .. 4000.
    static int stepDisplayZoom(int zoom, float factor);
    // The "PreviewZoom" list of system.conf without its negative and empty
    // entries; a piece that is not a number raises the settings error.
    static std::vector<int> previewZoomList();

    Edit::EditService* editService;
    Render::RenderService* renderService;

private:
    void createWindowItems();
    void createZoomMenus();
    void createSwitches();
    void createPlaybackMenu();
    void stepPreviewZoom(float factor) const;
    void stepTimelineZoom(int steps) const;
};

}  // namespace Menu
