#include "panels/preview/PreviewMenuEntries.h"

#include "core/base/Log.h"
#include "core/translate/TranslateService.h"
#include "edit/command/ClipboardCommand.h"
#include "edit/command/ObjectMenuCommand.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/command/SectionCommand.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "render/service/RenderService.h"

#include <algorithm>

namespace Component {

namespace {

using Window::MenuEntry;
using Window::MenuEntries;

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

MenuEntry command(const wchar_t* text, bool enabled, std::function<void()> run) {
    return {MenuEntry::Kind::Command, menuText(text), enabled, false, std::move(run), {}};
}

MenuEntry check(const wchar_t* text, bool checked, std::function<void()> run) {
    return {MenuEntry::Kind::Check, menuText(text), true, checked, std::move(run), {}};
}

// An "Edit" option: checked by its current value; toggled as it is when
// chosen.
template <class Value>
MenuEntry option(const wchar_t* text, Value& value, std::function<void()> after = {}) {
    return check(text, value != 0, [&value, after] {
        value = value != 0 ? 0 : 1;
        if (after) after();
    });
}

// The frame lies inside one of the object's sections, not on a boundary.
bool insideSection(const Edit::Object& object, int frame) {
    if (frame <= object.start || frame >= object.end) return false;
    return std::none_of(object.boundaries.begin(), object.boundaries.end(),
                        [&](int boundary) { return object.start + boundary == frame; });
}

void appendObjectMenu(MenuEntries& menu, const Edit::EditCommand::ObjectMenu& entries) {
    for (const Edit::EditCommand::ObjectMenuEntry& entry : entries)
        menu.push_back(command(entry.text, entry.enabled, entry.action));
}

}  // namespace

std::function<void()>& PreviewContextMenu::gridDialog() {
    static std::function<void()> open;
    return open;
}

std::function<void()>& PreviewContextMenu::gridCameraDialog() {
    static std::function<void()> open;
    return open;
}

void PreviewContextMenu::selectAt(Anchor::AnchorControl& picture, int x, int y) {
    Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
    if (!edit || picture.isControlKeyDown()) return;
    const Anchor::AnchorItem* hit = picture.hitTestAnchor(x, y);
    if (!hit) return;
    Edit::ObjectPointer target;
    if (hit->index == Anchor::AnchorIndex::AllSections) {
        target = hit->object;
    } else if (hit->index >= 0 && hit->index < Anchor::AnchorIndex::AllSections) {
        if (const Anchor::AnchorItem* main =
                picture.findAnchor(hit->object.get(), hit->effect.get(), Anchor::AnchorIndex::AllSections))
            target = main->object;
    }
    if (!target) return;
    picture.resetPressGesture();
    edit->clickSelectObject(picture, target, edit->clickAnchorObjectSelectGroup != 0);
}

MenuEntries PreviewContextMenu::build(const PreviewMenuHost& host) {
    MenuEntries menu;
    Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
    Render::RenderService* render = System::Singleton<Render::RenderService>::getInstance();
    if (!edit) return menu;
    const Edit::Scene& scene = *edit->getCurrentScene();
    const int frame = scene.cursorFrame;

    if (scene.selection.objects.empty()) {
        menu.push_back(command(L"貼り付け", !edit->clipboard.empty(), [edit] { Edit::EditCommand::pasteObject(*edit); }));
        menu.push_back(MenuEntry::separator());
    } else {
        Edit::EditCommand::ObjectMenu entries;
        Edit::EditCommand::appendObjectEditMenu(*edit, entries);
        appendObjectMenu(menu, entries);
        menu.push_back(MenuEntry::separator());
        const bool canCreate = scene.anySelectObject([&](const Edit::Object& o) { return insideSection(o, frame); });
        const bool canDelete =
            scene.anySelectObject([&](const Edit::Object& o) { return Edit::EditCommand::canDeleteSection(o, frame); });
        menu.push_back(command(L"中間点を追加", canCreate, [edit, frame] { Edit::EditCommand::createSection(*edit, frame); }));
        menu.push_back(command(L"中間点を削除", canDelete, [edit, frame] { Edit::EditCommand::deleteSection(*edit, frame); }));
        menu.push_back(MenuEntry::separator());
        entries.clear();
        Edit::EditCommand::appendObjectGroupMenu(*edit, entries);
        appendObjectMenu(menu, entries);
        menu.push_back(MenuEntry::separator());
    }

    menu.push_back(command(L"クリップボードにイメージをコピー", render != nullptr,
                           [render] { render->videoWorker.copyImageToClipboard(false); }));
    menu.push_back(command(L"クリップボードにイメージをコピー(背景透過)", render != nullptr,
                           [render] { render->videoWorker.copyImageToClipboard(true); }));
    menu.push_back(MenuEntry::separator());

    // The switches act on the values the menu was built with.
    if (render) {
        const Render::RenderVideoWorker& video = render->videoWorker;
        const bool gridXY = video.gridXY != 0, cameraGrid = video.cameraGrid != 0;
        const bool freeView = video.cameraFreeView != 0, clipping = video.visibleClippingObject != 0;
        menu.push_back(check(L"グリッド(XY軸)の表示", gridXY, [edit, gridXY] { Edit::EditCommand::setGridXY(*edit, !gridXY); }));
        menu.push_back(check(L"グリッド(カメラ制御)の表示", cameraGrid,
                             [edit, cameraGrid] { Edit::EditCommand::setCameraGrid(*edit, !cameraGrid); }));
        menu.push_back(check(L"編集視点(カメラ制御)表示", freeView,
                             [edit, freeView] { Edit::EditCommand::setCameraFreeView(*edit, !freeView); }));
        menu.push_back(check(L"クリッピングオブジェクトの視覚化", clipping,
                             [edit, clipping] { Edit::EditCommand::setVisibleClippingObjectView(*edit, !clipping); }));
        const bool meter = render->player.visibleLevelMeter != 0;
        menu.push_back(check(L"音量レベルメーターの表示", meter, [render, meter, layout = host.layoutAgain] {
            System::Log::info("Edit::EditCommand::setVisibleLevelMeter", "set visible level meter enable=%d",
                              meter ? 0 : 1);
            render->player.visibleLevelMeter = meter ? 0 : 1;
            if (layout) layout();
        }));
        menu.push_back(MenuEntry::separator());
    }

    if (host.appendZoomMenu) {
        MenuEntry zoom{MenuEntry::Kind::Submenu, menuText(L"拡大表示"), true, false, {}, {}};
        host.appendZoomMenu(zoom.children);
        menu.push_back(std::move(zoom));
        menu.push_back(MenuEntry::separator());
    }

    MenuEntry options{MenuEntry::Kind::Submenu, menuText(L"オプション"), true, false, {}, {}};
    MenuEntries& items = options.children;
    items.push_back(command(L"グリッド(XY軸)の設定", static_cast<bool>(gridDialog()), [] {
        if (const auto& open = gridDialog()) open();
    }));
    items.push_back(command(L"グリッド(カメラ制御)の設定", static_cast<bool>(gridCameraDialog()), [] {
        if (const auto& open = gridCameraDialog()) open();
    }));
    items.push_back(command(L"音量レベルメーターの設定", static_cast<bool>(host.levelMeterDialog), host.levelMeterDialog));
    items.push_back(MenuEntry::separator());
    if (render) {
        Render::MoviePlayer& player = render->player;
        items.push_back(check(L"再生中のみ音量レベルメーターを反映", player.levelMeterOnlyPlayback != 0,
                              [&player, preview = host.requestPreviewFrame, reset = host.resetLevelMeter] {
                                  if (player.levelMeterOnlyPlayback != 0) {
                                      player.levelMeterOnlyPlayback = 0;
                                      if (preview) preview();
                                  } else {
                                      player.levelMeterOnlyPlayback = 1;
                                      if (reset) reset();
                                  }
                              }));
    }
    items.push_back(option(L"シングルクリックでオブジェクトをフォーカス(プレビュー)", edit->singleClickFocusAnchorObject));
    items.push_back(option(L"クリック時にオブジェクトのグループを選択(プレビュー)", edit->clickAnchorObjectSelectGroup));
    items.push_back(option(L"オブジェクトのスナップ(プレビュー)", edit->anchorObjectMoveSnap));
    items.push_back(option(L"マウスホバー時に対象以外のアンカーを非表示", edit->mouseHoverHideOtherAnchor));
    items.push_back(option(L"オブジェクトの移動軌跡に点を表示", edit->displayObjectMovePoint, host.requestPreviewFrame));
    items.push_back(
        option(L"区間のアンカー表示をオブジェクトの中心位置にする", edit->displayObjectCenterAnchor, host.requestPreviewFrame));
    menu.push_back(std::move(options));

    if (host.appendWindowMenu) host.appendWindowMenu(menu);
    return menu;
}

void PreviewContextMenu::show(const PreviewMenuHost& host, int x, int y) {
    if (!host.picture) return;
    selectAt(*host.picture, x, y);
    const Window::PopupMenuCall& popup = Window::popupMenuCall();
    if (!popup) return;
    popup(host.picture->window, build(host));
}

}  // namespace Component
