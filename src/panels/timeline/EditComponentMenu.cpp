// The panel's menus: the display options, the tempo grid dialog and the
// scene list of the scene button.
#include "panels/timeline/EditComponent.h"

#include "core/base/Log.h"
#include "core/event/DialogSeam.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "edit/scope/EditScope.h"
#include "window/controls/ControlTooltip.h"

namespace Component {

namespace {

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

Window::MenuEntry checkItem(const wchar_t* text, int& option, std::function<void()> after) {
    return {Window::MenuEntry::Kind::Check, menuText(text), true, option != 0, [&option, after = std::move(after)] {
                option = option ? 0 : 1;
                if (after) after();
            }, {}};
}

}  // namespace

void EditComponent::setTempoGrid() {
    tempoGrid = tempoGrid ? 0 : 1;
    System::Log::info("Edit::EditCommand::setTempoGrid", "set tempo grid enable=%d", tempoGrid);
    procPaint();
}

void EditComponent::setWaveform() {
    displayWaveform = displayWaveform ? 0 : 1;
    System::Log::info("Edit::EditCommand::setWaveform", "set waveform enable=%d", displayWaveform);
    procPaint();
}

void EditComponent::createWindowMenu(Window::MenuEntries& menu) {
    menu.push_back({Window::MenuEntry::Kind::Check, menuText(L"グリッド(BPM)の表示"), true, tempoGrid != 0,
                    [this] { setTempoGrid(); }, {}});
    menu.push_back({Window::MenuEntry::Kind::Check, menuText(L"音声波形の表示"), true, displayWaveform != 0,
                    [this] { setWaveform(); }, {}});
    menu.push_back(Window::MenuEntry::separator());

    Window::MenuEntry options{Window::MenuEntry::Kind::Submenu, menuText(L"オプション"), true, false, {}, {}};
    std::vector<Window::MenuEntry>& items = options.children;
    const auto repaint = [this] { procPaint(); };
    Edit::EditService& edit = *editService;
    items.push_back({Window::MenuEntry::Kind::Command, menuText(L"グリッド(BPM)の設定"), true, false,
                     [this] { showTempoDialog(); }, {}});
    items.push_back(checkItem(L"選択オブジェクトの追従", edit.moveFrameFollowFocusObject, {}));
    items.push_back(checkItem(L"シングルクリックでオブジェクトをフォーカス(レイヤー)", edit.singleClickFocusLayerObject, {}));
    items.push_back(checkItem(L"クリック時にオブジェクトのグループを選択(レイヤー)", edit.clickLayerObjectSelectGroup, {}));
    items.push_back(checkItem(L"オブジェクトのスナップ(レイヤー)", edit.layerObjectMoveSnap, {}));
    items.push_back(checkItem(L"マウスホイールで縦スクロール(レイヤー)", layerWheelMode, {}));
    items.push_back(checkItem(L"中間点追加・分割を現在のフレームで行う", edit.addSectionSplitByCursorFrame, {}));
    items.push_back(checkItem(L"動画ファイルのドラッグ＆ドロップ時に音声を分離", separateVideoAudio, {}));
    items.push_back(checkItem(L"空のシーンへのドラッグ＆ドロップ時にシーン設定を合わせる", edit.adjustSceneByDropFile, {}));
    items.push_back(checkItem(L"音声波形を絶対値で表示", displayAbsoluteWaveform, repaint));
    items.push_back(checkItem(L"音声波形表示時はオブジェクト名を非表示", hideObjectNameWaveform, repaint));
    items.push_back(checkItem(L"オブジェクト名を常に先頭から表示", displayObjectNameFromHead, {}));
    items.push_back(checkItem(L"オブジェクトの区間変更時に時間を表示", showMoveObjectTime, {}));
    items.push_back(checkItem(L"対象レイヤー範囲を表示", displayLayerRange, repaint));
    items.push_back(checkItem(L"スクロールバーを上側に表示", displayScrollBarUp, [this] {
        updateScrollBarLayout();
        procMove();
        procPaint();
    }));
    menu.push_back(std::move(options));
    WindowClientRenderTarget::createWindowMenu(menu);
}

void EditComponent::showTempoDialog() {
    Edit::Scene& current = scene();
    Dialog::TempoGridValues values{current.tempoBeatPerMinute, current.tempoBeatTime, current.tempoOffsetTime};
    if (!Dialog::showTempoGridDialog(values)) return;
    {
        Edit::EditScope scope(*editService);
        scope.refreshTimeSetting = true;
        scope.notifyObjectUpdate = true;
        scope.scene->tempoBeatPerMinute = static_cast<float>(values.tempo);
        scope.scene->tempoBeatTime = values.beats;
        scope.scene->tempoOffsetTime = static_cast<float>(values.offset);
    }
    // New scenes of this run start from the same tempo.
    if (Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance()) {
        settings->TempoBeatPerMinute = static_cast<float>(values.tempo);
        settings->TempoBeatTime = values.beats;
        settings->TempoOffsetTime = static_cast<float>(values.offset);
    }
}

void EditComponent::showSceneMenu() {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    const int currentId = scene().id;
    Window::MenuEntries menu;
    for (const Edit::ScenePointer& entry : editService->project.getSceneList()) {
        const int id = entry->id;
        menu.push_back({Window::MenuEntry::Kind::Radio, entry->name, true, id == currentId,
                        [this, id] { editService->updateScene(id); }, {}});
    }
    show(window, menu);
}

void EditComponent::SceneButtonControl::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    Edit::EditService& edit = *panel.editService;
    const Edit::Scene& current = panel.scene();
    const int id = current.id;
    Window::MenuEntries menu;
    for (const Edit::SceneMenuEntry& entry : current.getSceneMenu()) {
        if (!entry.text) {
            menu.push_back(Window::MenuEntry::separator());
            continue;
        }
        std::function<void()> run;
        switch (entry.action) {
            case Edit::SceneMenuEntry::Action::Create: run = [&edit] { edit.createNewScene(); }; break;
            case Edit::SceneMenuEntry::Action::Delete: run = [&edit, id] { edit.deleteScene(id); }; break;
            case Edit::SceneMenuEntry::Action::Duplicate: run = [&edit, id] { edit.duplicateScene(id); }; break;
            case Edit::SceneMenuEntry::Action::Rename: run = [&edit, id] { edit.renameScene(id); }; break;
            case Edit::SceneMenuEntry::Action::Setting:
                run = [&edit, id] {
                    for (const Edit::ScenePointer& s : edit.project.getSceneList())
                        if (s->id == id)
                            edit.settingScene(id, s->name, s->videoRate, s->videoScale, s->width, s->height,
                                              s->audioRate);
                };
                break;
            case Edit::SceneMenuEntry::Action::None: break;
        }
        menu.push_back({Window::MenuEntry::Kind::Command, menuText(entry.text), entry.enabled, false, run, {}});
    }
    show(window, menu);
}

void EditComponent::SceneButtonControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    Control::showTooltipBelowPointer(panel.scene().getSceneInfoText());
}

}  // namespace Component
