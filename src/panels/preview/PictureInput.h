#pragma once
// How the preview picture answers the mouse and the keyboard: hovering
// finds the handle under the pointer, presses and drags go to the anchor
// control, arrow keys nudge a drag by one pixel, and a resting pointer
// shows a tooltip naming the handle. The picture control's input
// operations call these with itself. User-interface thread only.
#include "panels/anchor/AnchorControl.h"

#include <string>

namespace Component::PreviewInput {

// procMouseMove: the hover test; repaints only when the hovered handle
// changed.
void mouseMove(Anchor::AnchorControl& picture, int x, int y);
// procMouseDrag (offset from the press point).
void mouseDrag(Anchor::AnchorControl& picture, int x, int y);
// procDragCancel.
void dragCancel(Anchor::AnchorControl& picture);
// procDragKey: the arrows nudge a running drag; true when the key was used.
bool dragKey(Anchor::AnchorControl& picture, int virtualKey);
// procKeyUp: the drag ends and the selection may be cleared.
void keyUp(Anchor::AnchorControl& picture);
// procLButtonDown: presses the hovered handle; with Ctrl the whole object
// of a section handle; a double click on nothing focuses the camera's
// object.
void leftButtonDown(Anchor::AnchorControl& picture, int x, int y);
// procRButtonDown: a right drag of the camera view.
void rightButtonDown(Anchor::AnchorControl& picture, int x, int y);
// procMouseLeave.
void mouseLeave(Anchor::AnchorControl& picture);
// procCaptureLost: the drag ends, the selection may be cleared, and the
// hover follows the pointer's last position.
void captureLost(Anchor::AnchorControl& picture);
// procMouseHover: the tooltip of the hovered handle.
void mouseHover(Anchor::AnchorControl& picture);

// The tooltip text of a handle, empty when it gets none.
std::wstring getTooltipText(const Anchor::AnchorItem& item);

}  // namespace Component::PreviewInput
