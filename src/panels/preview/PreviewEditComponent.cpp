#include "panels/preview/PreviewEditComponent.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/event/EventCommand.h"
#include "core/file/SettingService.h"
#include "edit/scope/EditReadScope.h"
#include "edit/service/EditService.h"
#include "media/audio/AudioBuffer.h"
#include "media/audio/XAudio2Service.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/RenderBuffer.h"
#include "panels/preview/PreviewGridGuides.h"
#include "render/service/RenderService.h"
#include "render/service/RenderTaskType.h"
#include "window/MenuPanelCalls.h"

#include <algorithm>

namespace Component {

namespace {

Render::RenderService* renderServiceInstance() { return System::Singleton<Render::RenderService>::getInstance(); }

Render::MoviePlayer& playerOf(Render::RenderService* render) {
    if (!render)
        throw System::makeException("Component::PreviewEditComponent::PreviewEditComponent",
                                    "render service not created.", nullptr);
    return render->player;
}

// A style layout metric, required; the style's own values without a
// setting service (tests).
int layoutMetric(const char* key, int fallback) {
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings ? settings->layout.getValue(key).toInt() : fallback;
}

std::shared_ptr<PreviewEditComponent::Slots> makeSlots() {
    auto slots = std::make_shared<PreviewEditComponent::Slots>();
    if (System::Singleton<Media::Direct3DService>::getInstance())
        slots->frameImage = std::make_unique<Media::FrameImage>();
    resetLevels(slots->level);
    slots->level.frame = 0;
    return slots;
}

}  // namespace

PreviewEditComponent::PreviewEditComponent()
    : WindowClientRenderTarget(L"プレビュー編集", "Window.preview", &Window::Placements::preview, FloatsWithCaption),
      renderService(renderServiceInstance()),
      playerControlHeight(layoutMetric("PlayerControlHeight", 32)),
      levelMeterWidth(layoutMetric("LevelMeterWidth", 36)),
      slots(makeSlots()),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      picture(owner, 0, 0, -levelMeterWidth, -playerControlHeight, &displayZoom),
      levelMeter(owner, -levelMeterWidth, 0, 0, -playerControlHeight, &playerOf(renderService)),
      player(owner, playerControlHeight, playerOf(renderService),
             System::Singleton<Media::XAudio2Service>::getInstance(), picture) {
    resetLevels(playerLevel);
    playerLevel.frame = 0;
    acceptsContextMenu = true;
    acceptsWheel = true;
    acceptsDrop = true;
    registerListeners();
    // The View menu's zoom and level meter commands reach this window.
    Window::MenuPanelCalls& calls = Window::menuPanelCalls();
    calls.getDisplayZoom = [this] { return displayZoom; };
    calls.setDisplayZoom = [this](int zoom) { setZoom(zoom); };
    calls.getFitZoom = [this] { return getFitZoom(); };
    calls.relayoutPreview = [this] {
        procMove();
        procPaint();
    };
    procMove();
}

PreviewEditComponent::~PreviewEditComponent() {
    // A panel rebuilt elsewhere goes after its successor took the calls.
    if (instance() && instance().get() != this) return;
    Window::MenuPanelCalls& calls = Window::menuPanelCalls();
    calls.getDisplayZoom = nullptr;
    calls.setDisplayZoom = nullptr;
    calls.getFitZoom = nullptr;
    calls.relayoutPreview = nullptr;
}

std::unique_ptr<PreviewEditComponent>& PreviewEditComponent::instance() {
    static std::unique_ptr<PreviewEditComponent> slot;
    return slot;
}

void PreviewEditComponent::registerListeners() {
    if (!eventService) return;
    const void* key = eventKey();
    eventService->frameChange.add(key, [this](int frame) { requestPreviewFrame(frame); });
    eventService->objectUpdate.add(key, [this](std::shared_ptr<Edit::Object>&) { requestCursorFrame(); });
    eventService->sceneChange.add(key, [this](int) { requestCursorFrame(); });
    eventService->focusObjectChange.add(key, [this](std::shared_ptr<Edit::Object>&) { requestCursorFrame(); });
    eventService->settingSectionChange.add(key, [this](int) { requestCursorFrame(); });
    eventService->selectObjectChange.add(key, [this] { picture.procPaint(); });
    eventService->renderVideoFrame.add(
        key, [this](Render::RenderTaskType type, int frame) { onRenderVideoFrame(type, frame); });
    eventService->renderAudioLevel.add(
        key, [this](Render::RenderTaskType type, int frame) { onRenderAudioLevel(type, frame); });
    eventService->playStateChange.add(key, [this](bool playing) {
        if (!playing) levelMeter.reset();
    });
}

bool PreviewEditComponent::playing() const {
    return editService && editService->getCurrentScene() && editService->getCurrentScene()->playing;
}

int PreviewEditComponent::cursorFrame() const {
    return editService && editService->getCurrentScene() ? editService->getCurrentScene()->cursorFrame : 0;
}

void PreviewEditComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    for (Window::WindowControl* control : owner.controls)
        if (control->parent == nullptr) control->procPaint();
}

void PreviewEditComponent::procMove() {
    const int meter = levelMeterWidth;
    const int row = playerControlHeight;
    const auto place = [](Window::WindowControl& control, int left, int top, int right, int bottom) {
        control.left = left;
        control.top = top;
        control.right = right;
        control.bottom = bottom;
    };
    if (playerOf(renderService).visibleLevelMeter) {
        place(picture, 0, 0, -meter, -row);
        place(levelMeter, -meter, 0, 0, -row);
        levelMeter.visible = true;
    } else {
        place(picture, 0, 0, 0, -row);
        place(levelMeter, -1, -1, -1, -1);
        levelMeter.visible = false;
    }
    owner.updateLayout();
}

void PreviewEditComponent::setVisibleLevelMeter(bool visible) {
    playerOf(renderService).visibleLevelMeter = visible ? 1 : 0;
    procMove();
    procPaint();
}

void PreviewEditComponent::procMouseWheel(int, int, int delta) {
    if (!editService || !editService->getCurrentScene()) return;
    const Edit::Scene& scene = *editService->getCurrentScene();
    const int frame = std::clamp(scene.cursorFrame + (delta > 0 ? -1 : 1), 0, std::max(scene.totalLength, 0));
    editService->setCurrentFrame(frame);
}

void PreviewEditComponent::setVisible(bool visible) {
    WindowClient::setVisible(visible);
    requestCursorFrame();
}

void PreviewEditComponent::recreateClient() {
    std::unique_ptr<PreviewEditComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<PreviewEditComponent>(); });
}

void PreviewEditComponent::requestCursorFrame() { requestPreviewFrame(cursorFrame()); }

void PreviewEditComponent::requestPreviewFrame(int frame) {
    if (playing() || isHidden() || !renderService || !slots->frameImage) return;
    const std::shared_ptr<Slots> shared = slots;
    const int gridXY = renderService->videoWorker.gridXY;
    Edit::EditService* edit = editService;
    renderService->videoWorker.requestRenderingFrame(
        Render::RenderTaskType::Preview, frame,
        [shared, gridXY, edit](int rendered, Media::RenderBuffer& target, Anchor::AnchorList& anchors) {
            onVideoRendered(*shared, gridXY, rendered, target, anchors, edit);
        });
    if (renderService->player.levelMeterOnlyPlayback) return;
    renderService->audioWorker.requestRenderingFrame(
        Render::RenderTaskType::Preview, frame,
        [shared](int rendered, Media::AudioBuffer& block) { onAudioRendered(*shared, rendered, block); });
}

void PreviewEditComponent::onVideoRendered(Slots& slots, int gridXY, int frame, Media::RenderBuffer& target,
                                           Anchor::AnchorList& anchors, Edit::EditService* editService) {
    if (gridXY && editService) {
        GridGuides grid;
        {
            Edit::EditReadScope scope(*editService);
            if (scope.scene) {
                grid.width = scope.scene->gridWidth;
                grid.height = scope.scene->gridHeight;
                grid.x = scope.scene->gridX;
                grid.y = scope.scene->gridY;
            }
        }
        addGridGuides(grid, static_cast<int>(target.getWidth()), static_cast<int>(target.getHeight()), anchors);
    }
    slots.frameImage->update(target);
    anchors.handOver(slots.pendingAnchors);
    Event::postEventCommand(Event::EventCommandType::RenderVideoFrame, frame);
}

void PreviewEditComponent::onAudioRendered(Slots& slots, int frame, Media::AudioBuffer& block) {
    {
        std::lock_guard lock(slots.levelMutex);
        measureBlockLevels(block, slots.level);
    }
    Event::postEventCommand(Event::EventCommandType::RenderAudioLevel, frame);
}

void PreviewEditComponent::onRenderVideoFrame(Render::RenderTaskType type, int) {
    if (isHidden()) return;
    if (type == Render::RenderTaskType::Preview) {
        if (slots->frameImage) picture.updateFrame(*slots->frameImage, slots->pendingAnchors);
        return;
    }
    if (type != Render::RenderTaskType::Playback || !playing() || !renderService) return;
    Render::MoviePlayer& moviePlayer = renderService->player;
    if (const Media::FrameImage* presented = moviePlayer.presentedFrame()) {
        if (BitmapPointer bitmap = picture.makeBitmap(const_cast<Media::FrameImage&>(*presented)))
            picture.setBitmap(std::move(bitmap));
    }
    picture.video.clearAnchors();
    picture.video.updateAnchorLayout();
    picture.video.procPaint();
    player.updateState();
    const int position = editService->getCurrentScene()->playingFrame;
    for (const LevelMeterValues& record : moviePlayer.levelMeter.takeUpTo(position)) playerLevel = record;
    if (levelMeter.visible) levelMeter.setValues(playerLevel);
}

void PreviewEditComponent::onRenderAudioLevel(Render::RenderTaskType type, int) {
    if (isHidden() || type != Render::RenderTaskType::Preview || !renderService ||
        renderService->player.levelMeterOnlyPlayback)
        return;
    LevelMeterValues copy;
    {
        std::lock_guard lock(slots->levelMutex);
        copy = slots->level;
    }
    levelMeter.values = copy;
    if (levelMeter.visible) levelMeter.procPaint();
}

}  // namespace Component
