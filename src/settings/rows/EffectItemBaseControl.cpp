#include "settings/rows/EffectItemBaseControl.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "effect/base/EffectBase.h"
#include "effect/base/EffectEvent.h"
#include "effect/item/EffectItem.h"
#include "window/WindowMouseService.h"

#include <algorithm>
#include <typeinfo>

namespace Component {

namespace {

int layoutMetric(const char* key) {
    auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!settings) return 0;
    return settings->layout.getValue(key).toInt();
}

}  // namespace

EffectItemBaseControl::EffectItemBaseControl(Window::WindowControlOwner& parent,
                                             const std::shared_ptr<Effect::EffectBase>& effect,
                                             EffectItemRowHost& host, int height)
    : WindowControlRenderTarget(parent, 0, 0, 0, height),
      effect(effect),
      rowHost(host),
      headerWidth(layoutMetric("SettingItemHeaderWidth")),
      margin(layoutMetric("SettingItemMarginWidth")),
      controls(parent.client, parent.hostWindow, WindowControlRenderTarget::host, priority, &visibleRect(),
               &fullRect()),
      layoutBox(controls, margin, 0, -margin, -2),
      height_(height) {}

EffectItemBaseControl::~EffectItemBaseControl() {
    clickCallback = nullptr;
    hoverCallback = nullptr;
}

int EffectItemBaseControl::singleRowHeight() { return Setting::SettingRowHeight; }

void EffectItemBaseControl::setShowInfoOnHover() {
    hoverCallback = [this] {
        Effect::EffectEvent event;
        event.code = Effect::EffectEvent::ShowInfo;
        effect->effectEvent(event);
    };
}

void EffectItemBaseControl::setPlacement(float start, float end) {
    startFraction = start;
    endFraction = end;
    if (start > 0.0f) layoutBox.left = 0;
}

void EffectItemBaseControl::updateFile(const std::wstring&) {
    throw System::makeException("Component::EffectItemBaseControl::updateFile", "not implement.");
}

void EffectItemBaseControl::procLButtonDown(int, int) {
    if (!clickCallback) return;
    if (service && service->pressed) {
        service->pressed->captured = true;
        service->dragMoved = true;
    }
    clickCallback();
}

void EffectItemBaseControl::procMouseEnter() {
    if (clickCallback) redraw();
}

void EffectItemBaseControl::procMouseLeave() {
    if (clickCallback) redraw();
}

void EffectItemBaseControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    if (hoverCallback) hoverCallback();
}

void EffectItemBaseControl::paintRow(bool background) {
    const Window::Rect& r = visibleRect();
    if (!visible || r.width <= 0 || r.height <= 0) return;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    if (background) rowHost.paintItemBackground(*this, *effect);
    for (Window::WindowControl* control : controls.controls)
        if (control->visible) control->procPaint();
}

void EffectItemBaseControl::procPaint() { paintRow(clickCallback && hover); }

void EffectItemBaseControl::redraw() { paintRow(true); }

void EffectItemBaseControl::procMove() { controls.updateLayout(); }

void EffectItemBaseControl::updateLayout() {
    WindowControlRenderTarget::updateLayout();
    const Window::Rect r = fullRect();
    const int w = std::max(r.width, 0);
    const int x0 = r.x + static_cast<int>(static_cast<float>(w) * startFraction);
    const int x1 = r.x + static_cast<int>(static_cast<float>(w) * endFraction);
    setRect(x0, r.y, std::max(x1, x0), r.y + r.height);
}

void EffectItemBaseControl::prepareScope(Edit::EditScope& scope) const {
    scope.notifyObjectUpdate = true;
    scope.refreshTimeSetting = true;
    scope.targetObject = targetObject();
}

std::vector<std::shared_ptr<Effect::EffectBase>> EffectItemBaseControl::findSelectSameEffects() const {
    const Edit::ObjectPointer target = targetObject();
    const Edit::ScenePointer& scene = editService->getCurrentScene();
    if (!target || !scene) return {};
    return scene->getSelectSameEffect(*target, *effect);
}

std::vector<EffectItemBaseControl::SameItem> EffectItemBaseControl::findSelectSameItems(
    const Effect::EffectItem& item) const {
    std::vector<SameItem> found;
    const Edit::ObjectPointer target = targetObject();
    const Edit::ScenePointer& scene = editService->getCurrentScene();
    if (!target || !scene || scene->selection.objects.empty()) return found;
    const auto& items = effect->items;
    const auto at = std::find(items.begin(), items.end(), &item);
    if (at == items.end()) return found;
    const std::size_t index = static_cast<std::size_t>(at - items.begin());
    for (const auto& [object, other] : scene->getSelectSameEffectPair(*target, *effect)) {
        if (index >= other->items.size()) continue;
        Effect::EffectItem* candidate = other->items[index];
        if (candidate->type == item.type && candidate->name == item.name && typeid(*candidate) == typeid(item))
            found.push_back({object, other, candidate});
    }
    return found;
}

}  // namespace Component
