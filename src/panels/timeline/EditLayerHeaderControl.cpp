#include "panels/timeline/EditLayerHeaderControl.h"

#include "core/event/DialogSeam.h"
#include "core/translate/TranslateService.h"
#include "edit/model/Layer.h"
#include "edit/scope/EditScope.h"
#include "edit/undo/LayerUndo.h"
#include "media/draw/RenderTargetWindow.h"
#include "panels/timeline/EditComponent.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>

namespace Component {

namespace {

using LayerMoveRecord = Undo::UndoItemTemplate<Edit::Layer, Edit::LayerUndoMove>;
using LayerCreateDeleteRecord = Undo::UndoItemTemplate<Edit::Layer, Edit::LayerUndoCreateDelete>;

bool controlHeld() { return Platform::getKeyState(Platform::VK::CONTROL) < 0; }

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

// The scope of a layer operation: the time settings window refreshes and
// the object and layer listeners hear of it when it closes.
void markLayerChange(Edit::EditScope& scope, bool tableChanged) {
    scope.refreshTimeSetting = scope.notifyObjectUpdate = scope.notifyLayerUpdate = true;
    if (tableChanged) scope.resortLayers = true;
    scope.beginUndo();
}

}  // namespace

EditLayerHeaderControl::EditLayerHeaderControl(EditComponent& panel, Window::WindowControl& parent, int left, int top,
                                               int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom), panel(panel) {
    acceptsContextMenu = true;
    acceptsRightButton = true;
    acceptsWheel = true;
    if (eventService) eventService->layerUpdate.add(eventKey(), [this] { procPaint(); });
}

int EditLayerHeaderControl::layerAtY(int y) const { return y / std::max(1, rowHeight) + panel.firstLayer(); }

void EditLayerHeaderControl::procMouseMove(int, int y) {
    const int layer = layerAtY(y);
    if (layer == hoverLayer) return;
    if (hoverLayer >= 0) {
        const int old = hoverLayer;
        hoverLayer = -1;
        if (onHoverChange) onHoverChange(old);
    }
    hoverLayer = layer;
    if (onHoverChange) onHoverChange(layer);
}

void EditLayerHeaderControl::procMouseLeave() {
    if (hoverLayer < 0) return;
    const int old = hoverLayer;
    hoverLayer = -1;
    if (onHoverChange) onHoverChange(old);
}

void EditLayerHeaderControl::procLButtonDown(int, int) {
    if (hoverLayer < 0) return;
    if (service) service->startDrag(0, 0, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSwapNS));
    paintRow(hoverLayer);
}

void EditLayerHeaderControl::procMouseDrag(int, int y) {
    if (hoverLayer < 0) return;
    const int target = layerAtY(y);
    if (target == hoverLayer || target < 0) return;
    Edit::Scene& scene = panel.scene();
    if (!moving) {
        moving = true;
        undoService->beginUndoGroup();
        auto record = std::make_unique<LayerMoveRecord>(scene.getLayerObjectListGrow(hoverLayer).layer);
        record->saveUndo();
        undoService->addUndoItem(std::move(record));
    }
    {
        Edit::EditScope scope(*editService);
        scope.resortLayers = true;
        scope.scene->growLayer(target);
        if (scope.scene->moveLayer(hoverLayer, target)) hoverLayer = target;
    }
    procPaint();
    panel.refreshView(-1);
}

void EditLayerHeaderControl::procCaptureLost() {
    if (moving) {
        moving = false;
        undoService->commitUndoGroup();
        if (eventService) {
            std::shared_ptr<Edit::Object> none;
            eventService->objectUpdate.notify(none);
            eventService->layerUpdate.notify();
        }
    }
    if (hoverLayer >= 0) paintRow(hoverLayer);
}

void EditLayerHeaderControl::procLButtonUp(int, int) {
    if (hoverLayer < 0 || (service && service->dragMoved)) return;
    if (!controlHeld())
        toggleLayerHide(hoverLayer);
    else
        selectLayerObjects(hoverLayer);
}

void EditLayerHeaderControl::selectLayerObjects(int layer) {
    Edit::Scene& scene = panel.scene();
    const std::vector<Edit::ObjectPointer> objects = scene.getLayerObjectList(layer).objects;
    for (const Edit::ObjectPointer& object : objects) editService->selectObject(object, false);
    if (scene.selection.objects.size() < 2) return;
    if (service && service->pressed && !service->keyReleaseWaiter)
        service->setKeyReleaseWait(this, Platform::VK::CONTROL);
    if (eventService) eventService->selectObjectChange.notify();
}

void EditLayerHeaderControl::procKeyUp() { editService->clearSelectObject(selectControl); }

void EditLayerHeaderControl::procRButtonDown(int x, int y) {
    if (!service || service->pressed != this) return;
    EditLayerObjectControl& area = panel.objectArea;
    service->pressed = &area;
    area.procRButtonDown(x + fullRect().x - area.fullRect().x, y + fullRect().y - area.fullRect().y);
}

void EditLayerHeaderControl::procMouseWheel(int, int, int delta) {
    const Edit::Scene& scene = panel.scene();
    const int layer = std::clamp(scene.displayLayer + (delta > 0 ? -1 : 1), 0,
                                 std::max(0, panel.layerRange - panel.visibleLayers));
    panel.scrollTo(layer, scene.displayFrame, scene.cursorFrame);
}

void EditLayerHeaderControl::procContextMenu(int, int) {
    if (hoverLayer < 0) return;
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    const int layer = hoverLayer;
    const Edit::Layer& settings = *panel.scene().getLayerObjectList(layer).layer;
    Window::MenuEntries menu;
    const auto command = [&](const wchar_t* text, bool checkItem, bool checked, std::function<void()> run) {
        menu.push_back({checkItem ? Window::MenuEntry::Kind::Check : Window::MenuEntry::Kind::Command, menuText(text),
                        true, checked, std::move(run), {}});
    };
    command(L"レイヤーをロック", true, settings.lock, [this, layer] { toggleLayerLock(layer); });
    command(L"レイヤーの表示", true, !settings.hide, [this, layer] { toggleLayerHide(layer); });
    command(L"レイヤー名を変更", false, false, [this, layer] { renameLayer(layer); });
    command(L"他のレイヤーを表示/非表示", false, false, [this, layer] { toggleOtherLayers(layer); });
    menu.push_back(Window::MenuEntry::separator());
    command(L"レイヤーを挿入", false, false, [this, layer] { insertLayer(layer); });
    command(L"レイヤーを削除", false, false, [this, layer] { deleteLayer(layer); });
    menu.push_back(Window::MenuEntry::separator());
    panel.createWindowMenu(menu);
    show(window, menu);
}

void EditLayerHeaderControl::toggleLayerHide(int layer) {
    Edit::EditScope scope(*editService);
    markLayerChange(scope, false);
    const std::shared_ptr<Edit::Layer>& settings = scope.scene->getLayerObjectListGrow(layer).layer;
    undoService->addLayerUndoUpdate(settings);
    settings->hide = !settings->hide;
}

void EditLayerHeaderControl::toggleLayerLock(int layer) {
    Edit::EditScope scope(*editService);
    markLayerChange(scope, false);
    const std::shared_ptr<Edit::Layer>& settings = scope.scene->getLayerObjectListGrow(layer).layer;
    undoService->addLayerUndoUpdate(settings);
    settings->lock = !settings->lock;
}

void EditLayerHeaderControl::toggleOtherLayers(int layer) {
    Edit::EditScope scope(*editService);
    markLayerChange(scope, false);
    Edit::Scene& scene = *scope.scene;
    scene.growLayer(layer);
    bool anyHidden = false;
    for (int k = 0; k < scene.getLayerCount(); ++k) anyHidden |= scene.getLayerObjectList(k).layer->hide;
    for (int k = 0; k < scene.getLayerCount(); ++k) {
        const std::shared_ptr<Edit::Layer>& settings = scene.getLayerObjectListGrow(k).layer;
        undoService->addLayerUndoUpdate(settings);
        settings->hide = anyHidden ? false : k != layer;
    }
}

void EditLayerHeaderControl::renameLayer(int layer) {
    std::wstring name = panel.scene().getLayerObjectList(layer).layer->name;
    if (!Dialog::inputOptionalString(Translate::TranslateService::translate(
                                         Translate::TranslateService::Table::Dialog, L"レイヤー名を変更"),
                                     Translate::TranslateService::translate(
                                         Translate::TranslateService::Table::Dialog, L"名前"),
                                     name))
        return;
    // A name stays one line, so the project file keeps it.
    std::erase_if(name, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    Edit::EditScope scope(*editService);
    markLayerChange(scope, false);
    const std::shared_ptr<Edit::Layer>& settings = scope.scene->getLayerObjectListGrow(layer).layer;
    undoService->addLayerUndoUpdate(settings);
    settings->name = name;
}

void EditLayerHeaderControl::insertLayer(int at) {
    Edit::EditScope scope(*editService);
    markLayerChange(scope, true);
    const std::shared_ptr<Edit::Layer>& settings = scope.scene->insertLayer(at, nullptr);
    // Before: not in the table; the commit takes its place as the after.
    undoService->addUndoItem(std::make_unique<LayerCreateDeleteRecord>(settings));
}

void EditLayerHeaderControl::deleteLayer(int layer) {
    if (hoverLayer >= 0) {
        const int old = hoverLayer;
        hoverLayer = -1;
        if (onHoverChange) onHoverChange(old);
    }
    Edit::EditScope scope(*editService);
    markLayerChange(scope, true);
    Edit::Scene& scene = *scope.scene;
    Edit::LayerObjectList& list = scene.getLayerObjectListGrow(layer);
    for (const Edit::ObjectPointer& object : list.objects) undoService->addObjectUndoDelete(object);
    auto record = std::make_unique<LayerCreateDeleteRecord>(list.layer);
    record->saveUndo();
    undoService->addUndoItem(std::move(record));
    scene.deleteLayer(layer);
}

void EditLayerHeaderControl::procPaint() {
    panel.objectArea.ensureLayerCount();
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    const int first = panel.firstLayer();
    for (int i = 0; i < panel.visibleLayers; ++i) paintRow(first + i);
}

void EditLayerHeaderControl::paintRow(int layer) {
    const int first = panel.firstLayer();
    if (layer < 0 || layer < first || layer >= first + panel.visibleLayers) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    const int width = fullRect().width;
    const int top = (layer - first) * rowHeight;
    // The last row may reach past the header's bottom.
    DrawScope row(*this, 0, top, width, std::min(top + rowHeight, fullRect().height));
    const Edit::Layer& settings = *panel.scene().getLayerObjectList(layer).layer;
    const Control::Brushes::Id face = layer == hoverLayer ? Control::Brushes::LayerHover
                                      : settings.hide     ? Control::Brushes::LayerDisable
                                                          : Control::Brushes::LayerHeader;
    fill(brushes[face]);
    if (fontList)
        drawText(editService->getLayerName(layer), *(*fontList)[Resource::TextFormatList::LayerObject].get(), 4,
                 textTop, width, rowHeight,
                 brushes[settings.hide ? Control::Brushes::TextDisable : Control::Brushes::Text]);
    if (settings.lock && host) {
        const int half = rowHeight / 2;
        const int quarter = rowHeight / 4;
        drawBitmap(host->bitmapList[Resource::BitmapList::LockOn], width - half - 1, half - quarter, width - 1,
                   half + quarter, 1.0f);
    }
    drawRectangle(0, 0, width, rowHeight + 1, brushes[Control::Brushes::Border], 2.0f);
}

}  // namespace Component
