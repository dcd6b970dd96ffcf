#include "app/StartupTable.h"

#include "core/event/EventService.h"
#include "core/base/Logger.h"
#include "core/file/SettingService.h"
#include "core/thread/ThreadPriority.h"
#include "core/translate/TranslateService.h"
#include "dialogs/menus/MainMenu.h"
#include "dialogs/seam/PanelDialogs.h"
#include "dialogs/seam/ProgramDialogs.h"
#include "edit/command/EffectMenuCommand.h"
#include "edit/service/EditService.h"
#include "edit/model/TimelineZoom.h"
#include "edit/undo/UndoService.h"
#include "effect/item/EffectItemMaskSelect.h"
#include "effect/registry/EffectService.h"
#include "effects/BuiltinEffectList.h"
#include "media/draw/Direct2DService.h"
#include "media/gpu/Direct3DService.h"
#include "media/image/ImageService.h"
#include "media/resource/ResourceService.h"
#include "media/audio/XAudio2Service.h"
#include "panels/lists/ObjectListComponent.h"
#include "panels/lists/SceneListComponent.h"
#include "panels/explorer/ExplorerComponent.h"
#include "panels/log/LogComponent.h"
#include "panels/preview/PreviewDrop.h"
#include "panels/preview/PreviewEditComponent.h"
#include "panels/status/StatusComponent.h"
#include "panels/timeline/EditComponent.h"
#include "settings/SettingComponent.h"
#include "settings/color/EffectColorSettingComponent.h"
#include "settings/text/EffectTextSettingComponent.h"
#include "settings/time/EffectTimeSettingComponent.h"
#include "plugin/input/InputService.h"
#include "plugin/output/OutputService.h"
#include "render/audio/AudioEffects.h"
#include "render/cache/CacheService.h"
#include "render/output/OutputEffects.h"
#include "render/service/RenderService.h"
#include "window/ExportWindowHost.h"
#include "window/MenuConnections.h"
#include "window/ShortcutService.h"
#include "window/WindowMouseService.h"
#include "window/Timer.h"
#include "window/WindowService.h"

namespace App {

namespace {

// The render service, with the edit service's playback stop wired to its
// player while both live.
struct RenderServiceHolder {
    StartupHolder service = makeHolder<Render::RenderService>();
    Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();

    RenderServiceHolder() {
        Render::MoviePlayer* player = &System::Singleton<Render::RenderService>::getInstance()->player;
        if (edit) edit->hooks.stopPlayback = [player] { player->stop(false); };
    }
    ~RenderServiceHolder() {
        if (edit) edit->hooks.stopPlayback = nullptr;
    }
    RenderServiceHolder(const RenderServiceHolder&) = delete;
    RenderServiceHolder& operator=(const RenderServiceHolder&) = delete;
};

// A panel kept in its class's slot, which its window menu's rebuild
// replaces.
template <class Panel>
StartupHolder panelHolder() {
    std::unique_ptr<Panel>& slot = Panel::instance();
    slot = std::make_unique<Panel>();
    return StartupHolder(slot.get(), [](void*) { Panel::instance().reset(); });
}

}  // namespace

std::span<const StartupRow> startupTable() {
    static const StartupRow rows[] = {
        {"Setting::SettingService", [] { return makeHolder<Setting::SettingService>(); }},
        {"main thread priority",
         [] {
             System::Process::SetThreadPriority("MainThreadPriority");
             return StartupHolder{};
         }},
        {"System::Logger", [] { return makeHolder<System::Logger>(); }},
        {"Translate::TranslateService", [] { return makeHolder<Translate::TranslateService>(); }},
        // Plugin::ModuleService
        {"Media::ImageService", [] { return makeHolder<Media::ImageService>(); }},
        {"Media::Direct2DService", [] { return makeHolder<Media::Direct2DService>(); }},
        {"Media::Direct3DService", [] { return makeHolder<Media::Direct3DService>(); }},
        // The audio engine starts on first play.
        {"Media::XAudio2Service", [] { return makeHolder<Media::XAudio2Service>(); }},
        {"Resource::ResourceService", [] { return makeHolder<Resource::ResourceService>(); }},
        {"Event::EventService", [] { return makeHolder<Event::EventService>(); }},
        {"Window::ShortcutService", [] { return makeHolder<Window::ShortcutService>(); }},
        {"Window::WindowMouseService", [] { return makeHolder<Window::WindowMouseService>(); }},
        {"Window::WindowService",
         [] {
             StartupHolder holder = makeHolder<Window::WindowService>();
             System::Singleton<Window::WindowService>::getInstance()->footer->setProgress(
                 L"Initializing...", nullptr, 0.0f);
             // The services' questions get the program's own dialogs while
             // the windows exist.
             static Dialog::ProgramDialogs dialogs;
             Dialog::DialogSeam::install(&dialogs);
             Dialog::installPanelDialogs();
             // Keys, tooltips, popups and the list box answer the windows.
             Window::connectMenus();
             return StartupHolder(holder.get(), [holder](void*) {
                 Window::disconnectMenus();
                 Dialog::removePanelDialogs();
                 Dialog::DialogSeam::install(nullptr);
             });
         }},
        {"Plugin::InputService", [] { return makeHolder<Plugin::InputService>(); }},
        {"Plugin::OutputService",
         [] {
             StartupHolder holder = makeHolder<Plugin::OutputService>();
             Window::installExportWindowHost();
             return holder;
         }},
        // Plugin::ScriptService
        // Plugin::FilterPluginService
        // Plugin::ScriptModuleService
        // Plugin::CommonPluginService
        {"Cache::CacheService", [] { return makeHolder<Cache::CacheService>(); }},
        {"Effect::EffectService",
         [] {
             Render::installOutputEffects();
             Render::installAudioEffects();
             Effect::installBuiltinEffects();
             return makeHolder<Effect::EffectService>();
         }},
        {"Undo::UndoService", [] { return makeHolder<Undo::UndoService>(); }},
        {"Edit::EditService",
         [] {
             // The effect menus' entries act on the edit service while it lives.
             // Zooms read from projects keep to the timeline's steps.
             Edit::Scene::zoomSteps.assign(Edit::timelineZoomSteps.begin(), Edit::timelineZoomSteps.end());
             const StartupHolder service = makeHolder<Edit::EditService>();
             Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
             Edit::EditCommand::installEffectMenuCommands(edit);
             // Masks name the project's scenes.
             Effect::EffectItemMaskSelect::setSceneSource([edit] {
                 Effect::EffectItemMaskSelect::SceneList list;
                 for (const Edit::ScenePointer& scene : edit->project.getSceneList())
                     list.emplace_back(scene->id, scene->name);
                 return list;
             });
             // The caches outlive the edit service.
             edit->hooks.purgeSceneCaches = [] {
                 if (auto* caches = System::Singleton<Cache::CacheService>::getInstance()) caches->eraseSceneEntries();
             };
             // The automatic backup ticks through a window timer, which goes
             // with the service that holds it.
             auto timer = std::make_shared<System::Timer>();
             edit->backupHistory.timer.set = [timer](int elapse, std::function<void()> tick) {
                 timer->set(elapse, std::move(tick));
             };
             edit->backupHistory.timer.clear = [timer] { timer->clear(); };
             // Loading and saving show their progress in the footer.
             edit->projectHooks.setProgress = [](const wchar_t* text) {
                 if (auto* window = System::Singleton<Window::WindowService>::getInstance())
                     window->footer->setProgress(text, nullptr, 0.0f);
             };
             return StartupHolder(service.get(), [service](void*) {
                 Effect::EffectItemMaskSelect::setSceneSource({});
                 Edit::EditCommand::installEffectMenuCommands(nullptr);
                 Edit::Scene::zoomSteps.clear();
             });
         }},
        {"Render::RenderService", [] { return StartupHolder(std::make_shared<RenderServiceHolder>()); }},
        {"Component::EditComponent", [] { return panelHolder<Component::EditComponent>(); }},
        {"Component::StatusComponent", [] { return makeHolder<Component::StatusComponent>(); }},
        {"Component::SettingComponent", [] { return panelHolder<Component::SettingComponent>(); }},
        {"Component::PreviewEditComponent",
         [] {
             std::unique_ptr<Component::PreviewEditComponent>& slot = Component::PreviewEditComponent::instance();
             slot = std::make_unique<Component::PreviewEditComponent>();
             // Files dropped on the preview follow the timeline's option.
             Component::separateVideoAudioSetting() = [] {
                 const std::unique_ptr<Component::EditComponent>& timeline = Component::EditComponent::instance();
                 return timeline && timeline->separateVideoAudio != 0;
             };
             return StartupHolder(slot.get(), [](void*) {
                 Component::separateVideoAudioSetting() = nullptr;
                 Component::PreviewEditComponent::instance().reset();
             });
         }},
        {"Component::EffectColorSettingComponent", [] { return panelHolder<Component::EffectColorSettingComponent>(); }},
        {"Component::EffectTimeSettingComponent", [] { return panelHolder<Component::EffectTimeSettingComponent>(); }},
        {"Component::EffectTextSettingComponent", [] { return panelHolder<Component::EffectTextSettingComponent>(); }},
        {"Component::SceneListComponent", [] { return panelHolder<Component::SceneListComponent>(); }},
        {"Component::ObjectListComponent", [] { return panelHolder<Component::ObjectListComponent>(); }},
        {"Component::ExplorerComponent",
         [] {
             int count = 1;
             if (auto* settings = System::Singleton<Setting::SettingService>::getInstance())
                 count = settings->layout.getValue("ExplorerWindowNum").toInt(1);
             Component::ExplorerComponent::createAll(count);
             return StartupHolder(&Component::ExplorerComponent::instances(),
                                  [](void*) { Component::ExplorerComponent::instances().clear(); });
         }},
        {"Component::LogComponent", [] { return panelHolder<Component::LogComponent>(); }},
        {"Menu::MainMenu", [] { return makeHolder<Menu::MainMenu>(); }},
    };
    return rows;
}

}  // namespace App
