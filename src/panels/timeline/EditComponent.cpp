#include "panels/timeline/EditComponent.h"

#include "core/file/SettingService.h"
#include "edit/model/ZoomSteps.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "media/resource/ResourceService.h"
#include "render/service/RenderTaskType.h"
#include "window/ClientPlacement.h"
#include "window/MenuPanelCalls.h"
#include "window/controls/ControlPaint.h"

#include <cmath>

namespace Component {

namespace {

EditLayout readLayout() {
    EditLayout layout;
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!settings) {
        // Tools and tests without style files get the shipped style's numbers.
        layout.timeGaugeHeight = 24;
        layout.layerHeaderWidth = 80;
        layout.layerHeight = 28;
        return layout;
    }
    layout.timeGaugeHeight = settings->layout.getValue("TimeGaugeHeight").toInt();
    layout.layerHeaderWidth = settings->layout.getValue("LayerHeaderWidth").toInt();
    layout.layerHeight = settings->layout.getValue("LayerHeight").toInt();
    layout.scrollBarSize = settings->layout.getValue("ScrollBarSize").toInt(20);
    return layout;
}

// The line height of the timeline font (0 without fonts).
int fontLineHeight() {
    Resource::ResourceService* resources = Resource::ResourceService::getInstance();
    if (!resources) return 0;
    Resource::TextLayout empty(resources->textFormatList[Resource::TextFormatList::LayerObject].get(), L"");
    return static_cast<int>(std::ceil(empty.getMetrics().height));
}

}  // namespace

EditComponent::SceneButtonControl::SceneButtonControl(EditComponent& panel, Window::WindowControl& parent, int left,
                                                      int top, int right, int bottom)
    : TextButtonControl(parent, left, top, right, bottom, 2), panel(panel) {
    acceptsContextMenu = true;
}

EditComponent::EditComponent()
    : WindowClientRenderTarget(L"レイヤー編集", "Window.edit", &Window::Placements::edit, FloatsWithCaption),
      layout(readLayout()),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      mainArea(owner, 0, 0, -layout.scrollBarSize, -layout.scrollBarSize),
      rulerRow(mainArea, 0, 0, 0, layout.timeGaugeHeight),
      body(mainArea, 0, layout.timeGaugeHeight, 0, 0),
      barRow(owner, 0, -layout.scrollBarSize, -layout.scrollBarSize, 0),
      verticalBar(owner, -layout.scrollBarSize, 0, layout.scrollBarSize),
      corner(rulerRow, 0, 0, layout.layerHeaderWidth, 0),
      sceneButton(*this, corner, 0, 2, -3, -4),
      timeGauge(*this, rulerRow, layout.layerHeaderWidth, 0, 0, 0),
      layerHeader(*this, body, 0, 0, layout.layerHeaderWidth, 0),
      objectArea(*this, body, layout.layerHeaderWidth, 0, 0, 0),
      zoomGauge(barRow, 0, 0, layout.layerHeaderWidth, 0),
      horizontalBar(barRow, layout.layerHeaderWidth, -layout.scrollBarSize, 0, layout.scrollBarSize) {
    acceptsContextMenu = true;
    corner.painter = [](Control::RectControl& rect) {
        if (rect.host) rect.fill(rect.host->brushList[Control::Brushes::Background]);
    };
    timeGauge.forwardTarget = &objectArea;
    zoomGauge.zoom = Edit::zoomAtStep(Edit::zoomStepIndex(10000));
    zoomGauge.litCount = Edit::zoomStepIndex(10000);
    zoomGauge.onChange = [this](Control::ZoomGaugeControl&, Edit::FrameZoom& zoom) {
        setZoom(zoom, scene().cursorFrame);
    };
    horizontalBar.onScroll = [this](Control::ScrollBarControl&, int position) {
        scrollTo(firstLayer(), std::clamp(position, 0, std::max(0, frameRange - visibleFrames)), scene().cursorFrame);
    };
    verticalBar.onScroll = [this](Control::ScrollBarControl&, int position) {
        scrollTo(std::clamp(position, 0, std::max(0, layerRange - visibleLayers)), firstFrame(), scene().cursorFrame);
    };
    sceneButton.onClick = [this](Control::ButtonControl&) { showSceneMenu(); };
    sceneButton.text = scene().name;

    const int lineHeight = fontLineHeight();
    layerTextTop = static_cast<int>((layout.layerHeight - lineHeight) * 0.5);
    objectTextTop = objectBoxTop + static_cast<int>((layout.layerHeight - objectBoxTop - lineHeight) * 0.5);
    layerHeader.rowHeight = std::max(1, layout.layerHeight);
    layerHeader.textTop = layerTextTop;
    layerHeader.onHoverChange = [this](int layer) {
        objectArea.paintLayer(layer);
        layerHeader.paintRow(layer);
    };

    if (eventService) {
        eventService->frameChange.add(eventKey(), [this](int frame) { onFrameChange(frame); });
        eventService->sceneChange.add(eventKey(), [this](int) { onSceneChange(); });
        eventService->renderVideoFrame.add(eventKey(), [this](Render::RenderTaskType type, int frame) {
            if (type == Render::RenderTaskType::Playback) onPlayFrame(frame);
        });
        eventService->objectUpdate.add(eventKey(), [this](std::shared_ptr<Edit::Object>&) { refreshView(-1); });
        eventService->playStateChange.add(eventKey(), [this](bool playing) {
            if (playing) return;
            if (objectArea.temporaryImage.image()) objectArea.temporaryImage.popImage();
            objectArea.procPaint();
        });
    }
    updateScrollBarLayout();
    connectMenuCalls(true);
}

EditComponent::~EditComponent() {
    // A panel replaced by its rebuild leaves the calls to its successor.
    if (!instance() || instance().get() == this) connectMenuCalls(false);
    if (eventService) eventService->removeListener(eventKey());
}

void EditComponent::connectMenuCalls(bool connect) {
    Window::MenuPanelCalls& calls = Window::menuPanelCalls();
    if (!connect) {
        calls.setTimelineZoom = nullptr;
        calls.repaintTimeline = nullptr;
        calls.repaintTimeGauge = nullptr;
        calls.tempoGrid = {};
        calls.displayWaveform = {};
        return;
    }
    calls.setTimelineZoom = [this](const Edit::FrameZoom& zoom) { setZoom(zoom, scene().cursorFrame); };
    calls.repaintTimeline = [this] { procPaint(); };
    calls.repaintTimeGauge = [this] { timeGauge.procPaint(); };
    calls.tempoGrid = {[this] { return tempoGrid != 0; }, [this](bool on) { tempoGrid = on ? 1 : 0; }};
    calls.displayWaveform = {[this] { return displayWaveform != 0; }, [this](bool on) { displayWaveform = on ? 1 : 0; }};
}

std::unique_ptr<EditComponent>& EditComponent::instance() {
    static std::unique_ptr<EditComponent> slot;
    return slot;
}

const char* EditComponent::singletonPlace() {
    return "System::Singleton<class Component::EditComponent>::recreateInstance";
}

Media::RenderTarget::DrawScope EditComponent::panelScope() {
    const Window::Rect& r = clientRect;
    return DrawScope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
}

Edit::Scene& EditComponent::scene() const { return *editService->getCurrentScene(); }

void EditComponent::procPaint() {
    if (isHidden()) return;
    DrawScope scope = panelScope();
    for (Window::WindowControl* control : owner.controls) control->procPaint();
}

void EditComponent::procMove() {
    owner.updateLayout();
    updateLayerScroll(firstLayer(), true);
    updateFrameScroll(firstFrame(), true);
    applyZoom(scene().zoom);
}

void EditComponent::recreateClient() {
    std::unique_ptr<EditComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<EditComponent>(); });
}

void EditComponent::updateScrollBarLayout() {
    const int s = layout.scrollBarSize;
    if (displayScrollBarUp) {
        mainArea.top = s;
        mainArea.bottom = 0;
        barRow.top = 0;
        barRow.bottom = s;
    } else {
        mainArea.top = 0;
        mainArea.bottom = -s;
        barRow.top = -s;
        barRow.bottom = 0;
    }
    owner.updateLayout();
}

void EditComponent::onSceneChange() {
    Edit::Scene& current = scene();
    DrawScope scope = panelScope();
    applyZoom(current.zoom);
    updateLayerScroll(current.displayLayer, true);
    updateFrameScroll(current.displayFrame, true);
    sceneButton.text = current.name;
    current.selectAnchorFrame = current.cursorFrame;
    lastCursorFrame = current.cursorFrame;
    zoomGauge.procPaint();
    verticalBar.procPaint();
    horizontalBar.procPaint();
    timeGauge.procPaint();
    layerHeader.procPaint();
    objectArea.procPaint();
    sceneButton.procPaint();
}

void EditComponent::onFrameChange(int frame) {
    if (frame == lastCursorFrame) return;
    updateRangeSelect(frame);
    if (frame < firstFrame() || frame > firstFrame() + visibleFrames) updateFrameScroll(frame - visibleFrames / 2, false);
    DrawScope scope = panelScope();
    horizontalBar.procPaint();
    timeGauge.procPaint();
    objectArea.procPaint();
    lastCursorFrame = scene().cursorFrame;
}

void EditComponent::onPlayFrame(int frame) {
    if (frame < firstFrame() || frame > firstFrame() + visibleFrames) {
        updateFrameScroll(frame, false);
        DrawScope scope = panelScope();
        horizontalBar.procPaint();
        timeGauge.procPaint();
        objectArea.procPaint();
        lastCursorFrame = scene().cursorFrame;
    } else if (objectArea.temporaryImage.image()) {
        objectArea.temporaryImage.popImage();
    } else {
        objectArea.procPaint();
    }
    objectArea.paintPlayerCursor();
}

}  // namespace Component
