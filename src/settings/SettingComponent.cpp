#include "settings/SettingComponent.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "edit/service/EditService.h"
#include "media/draw/RenderTargetWindow.h"
#include "settings/rows/EffectItemBaseControl.h"
#include "window/WindowMouseService.h"

#include <algorithm>

namespace Component {

namespace {

// The header's height: a required style value (a default only where no
// settings exist, in tools).
int readHeaderHeight() {
    if (auto* settings = System::Singleton<Setting::SettingService>::getInstance())
        return settings->layout.getValue("SettingHeaderHeight").toInt();
    return 24;
}

int readRowHeight() {
    if (auto* settings = System::Singleton<Setting::SettingService>::getInstance())
        return settings->layout.getValue("SettingItemHeight").toInt() + 2;
    return 22;
}

}  // namespace

SettingComponent::SettingComponent()
    : WindowClientRenderTarget(L"オブジェクト設定", "Window.setting", &Window::Placements::setting, FloatsWithCaption),
      headerHeight(readHeaderHeight()),
      rowHeight(readRowHeight()),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      content(owner, 0, headerHeight, -Setting::ScrollBarSize, 0),
      header(*this, owner, 0, 0, -Setting::ScrollBarSize, headerHeight, headerHeight),
      scrollBar(owner, -Setting::ScrollBarSize, 0, Setting::ScrollBarSize),
      blockOwner(this, hostWindow(), hostTarget(), 200, &content.visibleRect(), &content.fullRect()) {
    acceptsContextMenu = true;
    acceptsRightButton = true;
    acceptsWheel = true;
    scrollBar.step = 2 * rowHeight;
    scrollBar.onScroll = [this](Control::ScrollBarControl&, int position) { scrollTo(position); };
    syncRowOptions();
    if (eventService) {
        eventService->frameChange.add(eventKey(), [this](int frame) { updateFrame(frame); });
        eventService->focusObjectChange.add(eventKey(),
                                            [this](std::shared_ptr<Edit::Object>& object) { setTargetObject(object); });
        eventService->objectUpdate.add(eventKey(),
                                       [this](std::shared_ptr<Edit::Object>& object) { onObjectUpdate(object); });
        eventService->sceneChange.add(eventKey(), [this](int) {
            if (!editService || !editService->getCurrentScene()) return;
            const Edit::ScenePointer scene = editService->getCurrentScene();
            setTargetObject(scene->focusObject);
            updateFrame(scene->cursorFrame);
        });
    }
    if (editService) {
        Edit::EditHooks& hooks = editService->hooks;
        hooks.rebuildSetting = [this] { clearEffectSettings(); };
        hooks.refreshSetting = [this] { refreshItemValues(); };
        hooks.clearSettingSection = [this] { sectionCount = 0; };
        hooks.getSettingObject = [this] { return settingObject; };
        hooks.getSettingSection = [this] { return sectionIndex; };
        hooks.setSettingFrame = [this](int frame) {
            if (!settingObject) return;
            const int before = sectionIndex;
            setCurrentFrame(frame);
            updateItemSections();
            if (before != sectionIndex && eventService) eventService->settingSectionChange.notify(sectionIndex);
        };
    }
    procMove();
}

SettingComponent::~SettingComponent() {
    // A window rebuilt in place leaves the hooks to its successor.
    if (editService && (!instance() || instance().get() == this)) {
        Edit::EditHooks& hooks = editService->hooks;
        hooks.rebuildSetting = nullptr;
        hooks.refreshSetting = nullptr;
        hooks.clearSettingSection = nullptr;
        hooks.getSettingObject = nullptr;
        hooks.getSettingSection = nullptr;
        hooks.setSettingFrame = nullptr;
    }
    EffectSettingSelect::selectedEffect = nullptr;
    blocks.clear();
}

std::unique_ptr<SettingComponent>& SettingComponent::instance() {
    static std::unique_ptr<SettingComponent> slot;
    return slot;
}

int SettingComponent::cursorFrame() const {
    return editService && editService->getCurrentScene() ? editService->getCurrentScene()->cursorFrame : 0;
}

void SettingComponent::syncRowOptions() {
    rowOptions.sectionViewMode = sectionViewMode;
    rowOptions.slideMouseHidden = slideMouseHidden != 0;
    rowOptions.sliderButtonHidden = sliderButtonHidden != 0;
    rowOptions.sliderCursorHidden = sliderCursorHidden != 0;
    rowOptions.displayPositionByFrame = displayPositionByFrame != 0;
}

void SettingComponent::setTargetObject(const Edit::ObjectPointer& object) {
    if (object == settingObject) return;
    settingObject.reset();
    contentHeight = 0;
    clearEffectSettings();
    setScrollPosition(0);
    if (object) {
        settingObject = object;
        setCurrentFrame(cursorFrame());
        rebuildEffectSettings();
        layoutEffectSettings();
        setScrollPosition(0);
    }
    procMove();
    DrawScope scope(*this, clientRect.x, clientRect.y, clientRect.x + clientRect.width,
                    clientRect.y + clientRect.height, true);
    updateHeader();
    procPaint();
}

void SettingComponent::updateHeader() {
    header.gauge.currentFrame = cursorFrame();
    header.updateGauge();
}

void SettingComponent::updateFrame(int frame) {
    if (!settingObject) return;
    DrawScope scope(*this, clientRect.x, clientRect.y, clientRect.x + clientRect.width,
                    clientRect.y + clientRect.height, true);
    setCurrentFrame(frame);
    updateItemSections();
    header.gauge.currentFrame = frame;
    header.gauge.procPaint();
}

void SettingComponent::setCurrentFrame(int frame) {
    if (!settingObject) return;
    const SectionIndices indices = sectionIndicesAt(*settingObject, frame, sectionViewMode);
    sectionCount = indices.sectionCount;
    sectionIndex = indices.sectionIndex;
    pointIndex = indices.pointIndex;
}

void SettingComponent::updateItemSections() {
    if (!settingObject) return;
    DrawScope scope(*this, clientRect.x, clientRect.y, clientRect.x + clientRect.width,
                    clientRect.y + clientRect.height, true);
    for (const std::unique_ptr<EffectSetting>& block : blocks)
        for (const std::shared_ptr<EffectItemBaseControl>& row : block->rows) row->updateSection();
}

void SettingComponent::refreshItemValues() {
    DrawScope scope(*this, clientRect.x, clientRect.y, clientRect.x + clientRect.width,
                    clientRect.y + clientRect.height, true);
    for (const std::unique_ptr<EffectSetting>& block : blocks) {
        block->updateSwitches();
        for (const std::shared_ptr<EffectItemBaseControl>& row : block->rows) row->updateValue();
    }
}

void SettingComponent::rebuildEffectSettings() {
    clearEffectSettings();
    if (!settingObject) return;
    const Edit::EffectManager::EffectList& chain = settingObject->effectList;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const std::shared_ptr<Effect::EffectBase>& effect = chain[i];
        if (effect->effectType == Effect::EffectKind::Output) continue;
        std::shared_ptr<Effect::EffectBase> output;
        if (effect->effectType == Effect::EffectKind::Input && i + 1 < chain.size()) output = chain[i + 1];
        blocks.push_back(std::make_unique<EffectSetting>(*this, blockOwner, effect, output));
    }
}

void SettingComponent::clearEffectSettings() {
    EffectSettingSelect::selectedEffect = nullptr;
    // A block may be running the command that cleared it.
    for (std::unique_ptr<EffectSetting>& block : blocks) Window::deleteLater(std::move(block));
    blocks.clear();
}

void SettingComponent::layoutEffectSettings() {
    int sum = 0;
    for (const std::unique_ptr<EffectSetting>& block : blocks) {
        int y = rowHeight + 2;
        if (!block->effect->hide) {
            for (const std::shared_ptr<EffectItemBaseControl>& row : block->rows) {
                row->left = 0;
                row->top = y;
                row->right = 0;
                row->bottom = row->rowHeight();
                if (row->endFraction >= 1.0f) y += row->rowHeight();
            }
        }
        block->left = 0;
        block->top = sum;
        block->right = 0;
        block->bottom = y;
        sum += y;
    }
    contentHeight = sum;
    blockOwner.updateLayout();
}

void SettingComponent::setScrollPosition(int position) {
    const int h = clientRect.height;
    const int slack = scrollSlack(h, rowHeight);
    const int maximum = scrollMaximum(contentHeight, headerHeight, slack, h);
    scrollPosition = std::clamp(position, 0, maximum);
    scrollBar.minimum = 0;
    scrollBar.maximum = contentHeight + slack;
    scrollBar.setViewRange(scrollBar.viewStart, scrollBar.viewEnd);
    scrollBar.setViewRange(scrollPosition, scrollPosition + h - headerHeight);
    blockOwner.scrollY = scrollPosition;
    blockOwner.updateLayout();
}

void SettingComponent::scrollTo(int position) {
    setScrollPosition(position);
    DrawScope scope(*this, clientRect.x, clientRect.y, clientRect.x + clientRect.width,
                    clientRect.y + clientRect.height, true);
    fillBelowContent();
    scrollBar.procPaint();
    for (const std::unique_ptr<EffectSetting>& block : blocks) block->procPaint();
}

EffectSetting* SettingComponent::findBlock(const Effect::EffectBase* effect) const {
    for (const std::unique_ptr<EffectSetting>& block : blocks)
        if (block->effect.get() == effect) return block.get();
    return nullptr;
}

int SettingComponent::blockIndex(const EffectSetting* block) const {
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].get() == block) return static_cast<int>(i);
    return -1;
}

void SettingComponent::onObjectUpdate(const Edit::ObjectPointer& object) {
    if (!settingObject || (object && object != settingObject)) return;
    if (settingObject->layer == -1) {
        setTargetObject(nullptr);
        return;
    }
    if (blocks.empty()) {
        setCurrentFrame(cursorFrame());
        rebuildEffectSettings();
        layoutEffectSettings();
        procMove();
    }
    DrawScope scope(*this, clientRect.x, clientRect.y, clientRect.x + clientRect.width,
                    clientRect.y + clientRect.height, true);
    if (sectionCount == 0) {
        setCurrentFrame(cursorFrame());
        updateItemSections();
    }
    updateHeader();
    procPaint();
}

void SettingComponent::refreshAfterOptionChange(bool sections) {
    syncRowOptions();
    if (settingObject) {
        setCurrentFrame(cursorFrame());
        rebuildEffectSettings();
        layoutEffectSettings();
    }
    procMove();
    procPaint();
    if (sections && eventService) {
        std::shared_ptr<Edit::Object> none;
        eventService->objectUpdate.notify(none);
    }
}

void SettingComponent::procMouseDrag(int, int y) { scrollTo(dragStartPosition - y); }

void SettingComponent::procRButtonDown(int, int) {
    if (service) service->startDrag(0, 0, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeAll));
    dragStartPosition = scrollPosition;
}

void SettingComponent::procMouseWheel(int x, int y, int delta) {
    const Window::Rect& bar = scrollBar.fullRect();
    scrollBar.procMouseWheel(x + clientRect.x - bar.x, y + clientRect.y - bar.y, delta);
}

void SettingComponent::fillBelowContent() {
    if (!hostTarget()) return;
    const int bottom = headerHeight + contentHeight - scrollPosition;
    if (bottom >= clientRect.height) return;
    fillRectangle(0, std::max(bottom, headerHeight), std::max(clientRect.width - Setting::ScrollBarSize, 0),
                  clientRect.height, hostTarget()->brushList[Resource::ColorBrushList::Background]);
}

void SettingComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    fillBelowContent();
    for (Window::WindowControl* control : owner.controls) control->procPaint();
    for (const std::unique_ptr<EffectSetting>& block : blocks) block->procPaint();
}

void SettingComponent::procMove() {
    owner.updateLayout();
    setScrollPosition(scrollPosition);
}

void SettingComponent::setVisible(bool visible) {
    WindowClientRenderTarget::setVisible(visible);
    if (editService && editService->getCurrentScene()) setTargetObject(editService->getCurrentScene()->focusObject);
}

void SettingComponent::recreateClient() {
    std::unique_ptr<SettingComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<SettingComponent>(); });
}

}  // namespace Component
