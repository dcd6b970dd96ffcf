#include "dialogs/menus/DisplayMenu.h"

#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/model/ZoomSteps.h"
#include "edit/service/EditService.h"
#include "render/service/RenderService.h"
#include "window/MenuPanelCalls.h"
#include "window/WindowClient.h"
#include "window/WindowService.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Menu {

namespace {

Window::MenuPanelCalls& calls() { return Window::menuPanelCalls(); }

Window::WindowService* windows() { return System::Singleton<Window::WindowService>::getInstance(); }

// The client registered under the title, null once it is gone.
Window::WindowClient* clientOf(const std::wstring& title) {
    Window::WindowService* service = windows();
    if (!service) return nullptr;
    const auto found = service->clients.find(title);
    return found == service->clients.end() ? nullptr : found->second.client;
}

// Flips a window switch, logs its new state and repaints the timeline.
void flipTimelineFlag(const Window::MenuPanelCalls::Flag& flag, const char* tag, const char* what) {
    if (!flag.get || !flag.set) return;
    const bool value = !flag.get();
    flag.set(value);
    System::Log::info(tag, "%s enable=%d", what, value ? 1 : 0);
    if (calls().repaintTimeline) calls().repaintTimeline();
}

}  // namespace

int DisplayMenu::stepDisplayZoom(int zoom, float factor) {
    const float scaled = static_cast<float>(zoom) * factor;
    return std::clamp(static_cast<int>(std::lround(scaled)), 10, 4000);
}

std::vector<int> DisplayMenu::previewZoomList() {
    std::vector<int> zooms;
    const auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!settings) return zooms;
    for (const System::IniFile::VALUE& piece : settings->config.getValue("PreviewZoom").split(",")) {
        const int zoom = piece.toInt(-1);
        if (zoom >= 0) zooms.push_back(zoom);
    }
    return zooms;
}

void DisplayMenu::stepPreviewZoom(float factor) const {
    const Window::MenuPanelCalls& c = calls();
    if (!c.getDisplayZoom || !c.setDisplayZoom) return;
    int zoom = c.getDisplayZoom();
    if (zoom == 0 && c.getFitZoom) zoom = c.getFitZoom();
    c.setDisplayZoom(stepDisplayZoom(zoom, factor));
}

void DisplayMenu::stepTimelineZoom(int steps) const {
    if (!editService) return;
    const Edit::FrameZoom zoom = Edit::stepZoom(editService->getCurrentScene()->zoom.zoom, steps);
    if (calls().setTimelineZoom)
        calls().setTimelineZoom(zoom);
    else
        editService->getCurrentScene()->zoom = zoom;
}

void DisplayMenu::createWindowItems() {
    Window::WindowService* service = windows();
    std::vector<std::pair<std::wstring, Window::WindowService::WindowClientReference>> entries;
    if (service)
        for (const auto& [title, reference] : service->clients)
            if (reference.client) entries.emplace_back(title, reference);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.second.order < b.second.order; });

    auto toggle = [](const std::wstring& title) {
        return [title] {
            if (Window::WindowClient* client = clientOf(title)) client->toggleVisible();
        };
    };
    auto shown = [](const std::wstring& title) {
        return [title] {
            Window::WindowClient* client = clientOf(title);
            return client && !client->isHidden();
        };
    };
    std::vector<std::wstring> explorers;
    for (const auto& [title, reference] : entries) {
        if (reference.client->settingsSection().rfind("Window.explorer", 0) == 0) {
            explorers.push_back(title);
            continue;
        }
        insertCheck(*menu, reference.client->getTitle(), toggle(title), shown(title));
    }
    Window::BaseMenu explorerMenu(*menu, L"メディアエクスプローラー");
    for (const std::wstring& title : explorers) {
        Window::MenuItem item = insertCheck(explorerMenu, clientOf(title)->getTitle(), toggle(title), shown(title));
        item.setText([title] {
            Window::WindowClient* client = clientOf(title);
            return client ? std::wstring(client->getTitle()) : title;
        });
    }
}

void DisplayMenu::createZoomMenus() {
    {
        Window::BaseMenu preview(*menu, L"プレビュー編集の拡大表示");
        for (const int zoom : previewZoomList()) {
            wchar_t label[32];
            std::swprintf(label, 32, L"%d%%", zoom);
            insertCommand(preview, zoom == 0 ? L"WindowSize" : label, 0, [zoom] {
                if (calls().setDisplayZoom) calls().setDisplayZoom(zoom);
            });
        }
        preview.insertSeparator();
        insertCommand(preview, L"ズームイン", 0x6B, [this] { stepPreviewZoom(1.1f); });
        insertCommand(preview, L"ズームアウト", 0x6D, [this] { stepPreviewZoom(0.9f); });
    }
    Window::BaseMenu timeline(*menu, L"レイヤー編集の拡大表示");
    insertCommand(timeline, L"ズームイン(レイヤー)", 0xDE, [this] { stepTimelineZoom(1); });
    insertCommand(timeline, L"ズームアウト(レイヤー)", 0xDC, [this] { stepTimelineZoom(-1); });
}

void DisplayMenu::createSwitches() {
    const Window::BaseMenu& m = *menu;
    auto flag = [](Window::MenuPanelCalls::Flag Window::MenuPanelCalls::*member) {
        return [member] {
            const Window::MenuPanelCalls::Flag& f = calls().*member;
            return f.get && f.get();
        };
    };
    insertCheck(
        m, L"グリッド(BPM)の表示",
        [] { flipTimelineFlag(calls().tempoGrid, "Edit::EditCommand::setTempoGrid", "set tempo grid"); },
        flag(&Window::MenuPanelCalls::tempoGrid));
    Render::RenderVideoWorker* video = renderService ? &renderService->videoWorker : nullptr;
    Edit::EditService* edit = editService;
    using Setter = void (*)(Edit::EditService&, bool);
    auto renderSwitch = [&](const wchar_t* label, int Render::RenderVideoWorker::*value, Setter set) {
        insertCheck(
            m, label,
            [edit, video, value, set] {
                if (edit && video) set(*edit, video->*value == 0);
            },
            [video, value] { return video && video->*value != 0; });
    };
    renderSwitch(L"グリッド(XY軸)の表示", &Render::RenderVideoWorker::gridXY, Edit::EditCommand::setGridXY);
    renderSwitch(L"グリッド(カメラ制御)の表示", &Render::RenderVideoWorker::cameraGrid, Edit::EditCommand::setCameraGrid);
    insertCheck(
        m, L"音声波形の表示",
        [] { flipTimelineFlag(calls().displayWaveform, "Edit::EditCommand::setWaveform", "set waveform"); },
        flag(&Window::MenuPanelCalls::displayWaveform));
    renderSwitch(L"編集視点(カメラ制御)表示", &Render::RenderVideoWorker::cameraFreeView,
                 Edit::EditCommand::setCameraFreeView);
    renderSwitch(L"クリッピングオブジェクトの視覚化", &Render::RenderVideoWorker::visibleClippingObject,
                 Edit::EditCommand::setVisibleClippingObjectView);
    Render::MoviePlayer* player = renderService ? &renderService->player : nullptr;
    insertCheck(
        m, L"音量レベルメーターの表示",
        [player] {
            if (!player) return;
            player->visibleLevelMeter = player->visibleLevelMeter ? 0 : 1;
            System::Log::info("Edit::EditCommand::setVisibleLevelMeter", "set visible level meter enable=%d",
                              player->visibleLevelMeter);
            if (calls().relayoutPreview) calls().relayoutPreview();
        },
        [player] { return player && player->visibleLevelMeter != 0; });
}

void DisplayMenu::createPlaybackMenu() {
    Window::BaseMenu playback(*menu, L"プレビュー再生");
    Edit::EditService* edit = editService;
    Render::MoviePlayer* player = renderService ? &renderService->player : nullptr;
    auto playOrStop = [edit, player](bool returnToStart, bool fillBuffer) {
        return [=] {
            if (!edit || !player) return;
            if (edit->getCurrentScene()->playing)
                player->stop(returnToStart);
            else
                player->play(fillBuffer);
        };
    };
    insertCommand(playback, L"プレビュー再生・停止", 0, playOrStop(true, false));
    insertCommand(playback, L"プレビュー再生・一時停止", 0x20, playOrStop(false, false));
    insertCommand(playback, L"再生バッファの最大まで取得して再生", 0, playOrStop(true, true));
}

void DisplayMenu::createMenu() {
    createWindowItems();
    menu->insertSeparator();
    createZoomMenus();
    menu->insertSeparator();
    createSwitches();
    menu->insertSeparator();
    createPlaybackMenu();
}

}  // namespace Menu
