#include "panels/lists/SceneButtonControl.h"

#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "edit/undo/SceneOrderUndo.h"
#include "edit/undo/UndoService.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "window/WindowMenuEntry.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>
#include <cmath>

namespace Component {

namespace {

int itemHeight() { return Setting::ListItemHeight; }

}  // namespace

SceneButtonControl::SceneButtonControl(Control::ListItemControl& list, const Edit::ScenePointer& scene)
    : ButtonControl(list.rowOwner, 0, 0, 0, itemHeight() + 2), ListItemBase(list, *this), scene(scene) {
    acceptsContextMenu = true;
}

SceneButtonControl::~SceneButtonControl() { endOrderUndo(); }

void SceneButtonControl::endOrderUndo() {
    if (!orderUndo_) return;
    orderUndo_ = false;
    if (auto* undo = System::Singleton<Undo::UndoService>::getInstance()) undo->commitUndoGroup();
}

bool SceneButtonControl::reorder(int y) {
    if (!canReorder()) return false;
    const int index = list.indexOf(*this);
    const int count = static_cast<int>(list.rows.size());
    if (index < 0 || count == 1) return false;
    const int height = fullRect().height;
    if (y < 0) {
        if (index == 0) return false;
        Control::ListItemBase& previous = *list.rows[static_cast<std::size_t>(index - 1)];
        const int threshold = std::min(0, (height - previous.control.fullRect().height) / 2) - 4;
        if (y >= threshold || !previous.canReorder()) return false;
        swapOrder(previous);
    } else {
        if (index == count - 1) return false;
        Control::ListItemBase& next = *list.rows[static_cast<std::size_t>(index + 1)];
        const int nextHeight = next.control.fullRect().height;
        const int threshold = std::min(nextHeight, (height + nextHeight) / 2) + 4;
        if (y <= threshold || !next.canReorder()) return false;
        swapOrder(next);
    }
    if (editService) editService->markModified();
    return true;
}

Control::Brushes::Id SceneButtonControl::bodyBrush() const {
    if (editService && editService->getCurrentScene() == scene) return Control::Brushes::ButtonBodySelect;
    if (menuOpen) return Control::Brushes::ButtonBodyPress;
    if (!enabled) return Control::Brushes::ButtonBodyDisable;
    if (captured) return Control::Brushes::ButtonBodyPress;
    if (hover) return Control::Brushes::ButtonBodyHover;
    return Control::Brushes::ButtonBody;
}

void SceneButtonControl::procLButtonDown(int, int) {
    pressed = true;
    pressTop_ = fullRect().y;
    auto* undo = System::Singleton<Undo::UndoService>::getInstance();
    if (canReorder() && editService && undo && !undo->recording) {
        undo->beginUndoGroup();
        undo->addUndoItem(Undo::makeSceneOrderUndo(editService->project.getSceneList()));
        orderUndo_ = true;
    }
    if (service) {
        // The drag's origin is the row's full top, so a row scrolled half
        // out of view measures from its true place.
        const int grabY = fullRect().y - visibleRect().y;
        if (canReorder())
            service->startDrag(0, grabY, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeNS));
        else
            service->startDrag(0, grabY, service->defaultCursor);
    }
    procPaint();
}

void SceneButtonControl::procMouseDrag(int, int y) {
    if (!pressed) return;
    // From the row's present top: swaps move it under the pointer.
    reorder(y - (fullRect().y - pressTop_));
}

void SceneButtonControl::procLButtonUp(int, int) {
    pressed = false;
    // Before the scene change, which moves to that scene's history.
    endOrderUndo();
    procPaint();
    if (service && service->dragMoved) return;
    // The scene change rebuilds the list, this row included.
    if (editService) editService->updateScene(scene->id);
}

void SceneButtonControl::procCaptureLost() {
    pressed = false;
    endOrderUndo();
    procPaint();
}

void SceneButtonControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    Control::showTooltipBelowPointer(scene->getSceneInfoText());
}

void SceneButtonControl::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show || !editService) return;
    Edit::EditService& edit = *editService;
    const Edit::ScenePointer target = scene;
    Window::MenuEntries menu;
    for (const Edit::SceneMenuEntry& entry : scene->getSceneMenu()) {
        if (!entry.text) {
            menu.push_back(Window::MenuEntry::separator());
            continue;
        }
        Window::MenuEntry item{Window::MenuEntry::Kind::Command,
                               Translate::TranslateService::translateMenu(entry.text), entry.enabled, false, {}, {}};
        using Action = Edit::SceneMenuEntry::Action;
        switch (entry.action) {
        case Action::Create: item.command = [&edit] { edit.createNewScene(); }; break;
        case Action::Delete: item.command = [&edit, target] { edit.deleteScene(target->id); }; break;
        case Action::Duplicate: item.command = [&edit, target] { edit.duplicateScene(target->id); }; break;
        case Action::Rename: item.command = [&edit, target] { edit.renameScene(target->id); }; break;
        case Action::Setting:
            item.command = [&edit, target] {
                edit.settingScene(target->id, target->name, target->videoRate, target->videoScale, target->width,
                                  target->height, target->audioRate);
            };
            break;
        case Action::None: break;
        }
        menu.push_back(std::move(item));
    }
    menu.push_back(Window::MenuEntry::separator());
    if (windowMenu) windowMenu(menu);
    menuOpen = true;
    procPaint();
    // The chosen command may rebuild the list: this row then is detached
    // and waits for the event's end to go.
    show(window, menu);
    menuOpen = false;
    if (attached()) procPaint();
}

void SceneButtonControl::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    const int width = scope.width();
    const int item = itemHeight();
    fillRectangle(0, 0, width, item, brushes[bodyBrush()]);
    if (host) drawBitmap(host->bitmapList[Resource::BitmapList::Film], 3, 3, item - 3, item - 3, 1.0f);
    if (fontList) {
        Resource::TextFormat& format = (*fontList)[Resource::TextFormatList::Control];
        Resource::TextLayout layout(format.get(), scene->name);
        layout.setTrimming(static_cast<float>(width - item), format.getTrimmingSign());
        const int y = (item - static_cast<int>(std::ceil(layout.getMetrics().height))) / 2;
        drawTextLayout(static_cast<float>(item), static_cast<float>(y), *layout.get(),
                       brushes[enabled ? Control::Brushes::Text : Control::Brushes::TextDisable]);
    }
    fillRectangle(0, item, width, scope.height(), brushes[Control::Brushes::Grouping]);
}

}  // namespace Component
