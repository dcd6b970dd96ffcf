#include "panels/preview/PictureInput.h"

#include "edit/model/Object.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectBase.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/ToolTips.h"
#include "window/WindowMouseService.h"

namespace Component::PreviewInput {

namespace {

using Anchor::AnchorIndex::AllSections;

void repaint(Anchor::AnchorControl& picture) { picture.procPaint(); }

}  // namespace

void mouseMove(Anchor::AnchorControl& picture, int x, int y) {
    if (!picture.setHovered(picture.hitTestAnchor(x, y))) return;
    repaint(picture);
    if (picture.hovered && picture.service && picture.service->hover == &picture)
        Platform::trackMouseEvent(picture.window, Platform::TME_HOVER | Platform::TME_LEAVE);
}

void mouseDrag(Anchor::AnchorControl& picture, int x, int y) { picture.moveAnchorDrag(x, y); }

void dragCancel(Anchor::AnchorControl& picture) { picture.endAnchorDrag(); }

bool dragKey(Anchor::AnchorControl& picture, int virtualKey) {
    if (picture.dragMode == Anchor::AnchorControl::NoDrag) return false;
    switch (virtualKey) {
    case Platform::VK::LEFT: --picture.dragX; break;
    case Platform::VK::UP: --picture.dragY; break;
    case Platform::VK::RIGHT: ++picture.dragX; break;
    case Platform::VK::DOWN: ++picture.dragY; break;
    default: return false;
    }
    picture.moveAnchorDrag(picture.dragX, picture.dragY);
    return true;
}

void keyUp(Anchor::AnchorControl& picture) {
    picture.endAnchorDrag();
    if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance()) edit->clearSelectObject(picture);
}

void leftButtonDown(Anchor::AnchorControl& picture, int x, int y) {
    picture.resetPressGesture();
    Anchor::AnchorItem* pressed = nullptr;
    Anchor::AnchorItem* hovered = picture.hovered;
    if (hovered && !picture.isControlKeyDown()) {
        pressed = hovered;
    } else if (hovered) {
        // Ctrl: the whole object, also from one of its section handles.
        if (hovered->index == AllSections)
            pressed = hovered;
        else if (hovered->index >= 0 && hovered->index < AllSections)
            pressed = picture.findAnchor(hovered->object.get(), hovered->effect.get(), AllSections);
    }
    if (pressed) {
        picture.beginAnchorDrag(x, y, Anchor::AnchorControl::LeftButton, pressed);
        return;
    }
    if (!picture.isDoubleClick || !picture.isDoubleClick()) return;
    if (const Anchor::AnchorItem* camera = picture.findCameraView())
        if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
            edit->setFocusObject(camera->object);
}

void rightButtonDown(Anchor::AnchorControl& picture, int x, int y) {
    picture.resetPressGesture();
    picture.beginAnchorDrag(x, y, Anchor::AnchorControl::RightButton, picture.findCameraView());
}

void mouseLeave(Anchor::AnchorControl& picture) {
    if (picture.setHovered(nullptr)) repaint(picture);
}

void captureLost(Anchor::AnchorControl& picture) {
    keyUp(picture);
    const Window::WindowMouseService* service = picture.service;
    if (!service || service->lastMovePosition == -1 || !picture.rect) return;
    const int x = Platform::GET_X_LPARAM(service->lastMovePosition) - picture.rect->x;
    const int y = Platform::GET_Y_LPARAM(service->lastMovePosition) - picture.rect->y;
    mouseMove(picture, x, y);
}

std::wstring getTooltipText(const Anchor::AnchorItem& item) {
    if (!(item.flags & Anchor::AnchorItem::Owned) || !item.effect || !item.object || item.object->layer == -1)
        return {};
    if (item.index == Anchor::AnchorIndex::ClippingView) return L"クリッピングオブジェクトの視覚化";
    if (item.index == Anchor::AnchorIndex::CameraViewMode)
        return L"カメラ制御の視点モードを切り替え\n緑色:カメラ視点\n白色:カメラ視点(編集不可)\n灰色:編集用視点(自由移動)";
    if (item.flags & Anchor::AnchorItem::Resize)
        return (item.flags & Anchor::AnchorItem::ResizeSize) ? L"サイズの変更" : L"拡大率の変更";
    const Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
    std::wstring text = edit ? edit->getLayerName(item.object->layer) : std::wstring();
    // An output effect is named after what it draws.
    const Effect::EffectBase* named = item.effect.get();
    if (named->effectType == Effect::EffectKind::Output && !item.object->effectList.empty())
        named = item.object->effectList.front().get();
    const wchar_t* name = named->getDisplayName();
    return text + L" : " + (name ? name : L"");
}

void mouseHover(Anchor::AnchorControl& picture) {
    if (!picture.hovered) return;
    const std::wstring text = getTooltipText(*picture.hovered);
    if (!text.empty()) Window::ToolTips::showAtCursor(text, -1);
}

}  // namespace Component::PreviewInput
