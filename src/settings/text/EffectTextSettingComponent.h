#pragma once
// The text window: one large editor for the text of the focused text
// object (EffectTextSettingControl), under a title bar with a close
// button. It follows the focus while shown; hidden, it may show itself
// when a text object gets the focus (ShowWindowFocusTextObject). Created
// once at start-up, hidden by default; it may float.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "core/file/Config.h"
#include "edit/model/Object.h"
#include "edit/service/EditInstance.h"
#include "settings/text/EffectTextSettingControl.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/EditScrollBarControl.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/WindowTitleControl.h"

#include <memory>

namespace Component {

class EffectTextSettingComponent : public Window::WindowClientRenderTarget,
                                   public Edit::EditInstance,
                                   public Event::EventInstance {
public:
    EffectTextSettingComponent();
    ~EffectTextSettingComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<EffectTextSettingComponent>& instance();

    // The object's text item becomes the target while the window shows;
    // otherwise the target goes and the title dims.
    void setFocusObject(const Edit::ObjectPointer& object);
    // A focus or scene change.
    void followObject(const Edit::ObjectPointer& object);
    void refreshTitle();

    void procMouseWheel(int x, int y, int delta) override;
    void procPaint() override;
    void procMove() override;
    void createWindowMenu(Window::MenuEntries& menu) override;
    void setVisible(bool visible) override;
    void recreateClient() override;

    int showWindowFocusTextObject = 0;
    const int rowHeight;

    System::Config config_{"Window.setting.text"};
    System::Config::Int focusShow_{config_, "ShowWindowFocusTextObject", &showWindowFocusTextObject, 0};
    System::Config::Scope scope_{config_};

    Window::WindowControlOwner owner;
    WindowTitleControl titleBar;
    Control::LayoutControl container;
    EffectTextSettingControl editor;
    Control::EditScrollBarControl scrollBar;
};

}  // namespace Component
