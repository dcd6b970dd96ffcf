#include "panels/preview/PreviewVideoInput.h"

#include "panels/preview/PreviewVideoControl.h"

namespace Component {

PreviewVideoInput::PreviewVideoInput(PreviewVideoControl& control) : control(control) {}

PreviewVideoInput::~PreviewVideoInput() = default;

void PreviewVideoControl::procMouseMove(int, int) {}
void PreviewVideoControl::procMouseDrag(int, int) {}
void PreviewVideoControl::procDragCancel() {}
bool PreviewVideoControl::procDragKey(int) { return false; }
void PreviewVideoControl::procKeyUp() {}
void PreviewVideoControl::procLButtonDown(int, int) {}
void PreviewVideoControl::procRButtonDown(int, int) {}
void PreviewVideoControl::procMouseLeave() {}
void PreviewVideoControl::procCaptureLost() {}
void PreviewVideoControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {}
void PreviewVideoControl::updateAnchorLayout() {}
void PreviewVideoControl::drawAnchors() {}
void PreviewVideoControl::clearAnchors() { anchors.clear(); }

}  // namespace Component
