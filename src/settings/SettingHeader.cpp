#include "settings/SettingHeader.h"

#include "edit/service/EditService.h"
#include "settings/SettingComponent.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/IconShape.h"

#include <algorithm>

namespace Component {

namespace {

int quarter(int height) { return height / 4; }

}  // namespace

SettingHeader::SettingHeader(SettingComponent& window, Window::WindowControlOwner& owner, int left, int top,
                             int right, int bottom, int height)
    : WindowControlRenderTarget(owner, left, top, right, bottom),
      window(window),
      gauge(window, *this, 0, 0, (quarter(height) * 3) / 2 - height, 0),
      buttonArea(*this, (quarter(height) * 3) / 2 - height, quarter(height), 0, -quarter(height)),
      addButton(buttonArea, 0, 0, height - 2 * quarter(height), 0) {
    acceptsContextMenu = true;
    acceptsWheel = true;
    addButton.icon = &Control::IconAdd;
    addButton.tooltip = L"フィルタ効果を追加";
    addButton.enabled = false;
    addButton.onClick = [this](Control::ButtonControl&) { showAddMenu(); };
}

void SettingHeader::updateGauge() {
    Media::RenderTarget::DrawScope scope(*this, 0, 0, fullRect().width, fullRect().height);
    gauge.setObject(window.settingObject.get());
    gauge.procPaint();
    const bool shown = window.settingObject != nullptr;
    if (addButton.enabled != shown) {
        addButton.enabled = shown;
        addButton.procPaint();
    }
}

void SettingHeader::showAddMenu() {
    const Edit::ObjectPointer object = window.settingObject;
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!object || !show) return;
    const std::uint8_t media = filterMenuMedia(*object);
    const SettingMenuCalls& calls = SettingMenuCalls::installed();
    const Window::MenuEntries menu = calls.effectMenu ? calls.effectMenu(object, FilterEffectMenu, media, nullptr)
                                                      : plainFilterMenu(object, media, nullptr);
    show(window.window, menu);
}

void SettingHeader::procMouseWheel(int, int, int delta) {
    const Edit::ObjectPointer& object = window.settingObject;
    Edit::EditService* edit = window.editServiceOf();
    if (!object || !edit || !edit->getCurrentScene()) return;
    const int cursor = edit->getCurrentScene()->cursorFrame;
    const int frame = std::clamp(delta > 0 ? cursor - 1 : cursor + 1, object->start, object->end);
    if (frame != cursor) edit->setCurrentFrame(frame);
}

void SettingHeader::procContextMenu(int, int) { gauge.showMenu(); }

void SettingHeader::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    fill(scope.brushes()[Control::Brushes::Grouping]);
}

}  // namespace Component
