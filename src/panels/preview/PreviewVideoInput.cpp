#include "panels/preview/PictureInput.h"
#include "panels/preview/PreviewVideoControl.h"

namespace Component {

void PreviewVideoControl::procMouseMove(int x, int y) { PreviewInput::mouseMove(*this, x, y); }
void PreviewVideoControl::procMouseDrag(int x, int y) { PreviewInput::mouseDrag(*this, x, y); }
void PreviewVideoControl::procDragCancel() { PreviewInput::dragCancel(*this); }
bool PreviewVideoControl::procDragKey(int virtualKey) { return PreviewInput::dragKey(*this, virtualKey); }
void PreviewVideoControl::procKeyUp() { PreviewInput::keyUp(*this); }
void PreviewVideoControl::procLButtonDown(int x, int y) { PreviewInput::leftButtonDown(*this, x, y); }
void PreviewVideoControl::procRButtonDown(int x, int y) { PreviewInput::rightButtonDown(*this, x, y); }
void PreviewVideoControl::procMouseLeave() { PreviewInput::mouseLeave(*this); }
void PreviewVideoControl::procCaptureLost() { PreviewInput::captureLost(*this); }
void PreviewVideoControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) { PreviewInput::mouseHover(*this); }

}  // namespace Component
