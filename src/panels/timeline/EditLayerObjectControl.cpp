#include "panels/timeline/EditLayerObjectControl.h"

#include "edit/scope/EditScope.h"
#include "panels/timeline/EditComponent.h"
#include "window/controls/ControlPaint.h"

namespace Component {

EditLayerObjectControl::EditLayerObjectControl(EditComponent& panel, Window::WindowControl& parent, int left, int top,
                                               int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom), panel(panel) {
    acceptsContextMenu = true;
    acceptsRightButton = true;
    acceptsWheel = true;
    acceptsDrop = true;
}

EditLayerObjectControl::~EditLayerObjectControl() = default;

void EditLayerObjectControl::procMouseMove(int, int) {}
void EditLayerObjectControl::procMouseDrag(int, int) {}
void EditLayerObjectControl::procDragCancel() {}
bool EditLayerObjectControl::procDragKey(int) { return false; }
void EditLayerObjectControl::procKeyUp() {}
void EditLayerObjectControl::procLButtonDown(int, int) {}
void EditLayerObjectControl::procRButtonDown(int, int) {}
void EditLayerObjectControl::procMouseLeave() {}
void EditLayerObjectControl::procCaptureLost() {}
void EditLayerObjectControl::procMouseWheel(int x, int y, int delta) { panel.wheelView(x, y, delta); }
void EditLayerObjectControl::procContextMenu(int, int) {}
bool EditLayerObjectControl::procDragOver(int, int, Window::DropInfo*) { return false; }
bool EditLayerObjectControl::procDrop(int, int, Window::DropInfo*) { return false; }
void EditLayerObjectControl::procDragLeave() {}
void EditLayerObjectControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {}

void EditLayerObjectControl::ensureLayerCount() {
    Edit::Scene& scene = panel.scene();
    if (scene.getLayerCount() > panel.layerRange) return;
    Edit::EditScope scope(*editService, false);
    scope.scene->growLayer(panel.layerRange);
}

void EditLayerObjectControl::procPaint() {
    ensureLayerCount();
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    const int first = panel.firstLayer();
    for (int layer = first; layer < first + panel.visibleLayers; ++layer) paintLayer(layer);
}

void EditLayerObjectControl::paintLayer(int layer) {
    const int first = panel.firstLayer();
    if (layer < first || layer >= first + panel.visibleLayers) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    const int height = panel.layout.layerHeight;
    const int top = (layer - first) * height;
    const Edit::Layer& settings = *panel.scene().getLayerObjectList(layer).layer;
    const Control::Brushes::Id face = layer == panel.layerHeader.hoverLayer ? Control::Brushes::LayerHover
                                      : settings.hide                       ? Control::Brushes::LayerDisable
                                                                            : Control::Brushes::Layer;
    fillRectangle(0, top, fullRect().width, top + height, scope.brushes()[face]);
}

void EditLayerObjectControl::paintPlayerCursor() {}
void EditLayerObjectControl::paintFrameMarker(int) {}

}  // namespace Component
