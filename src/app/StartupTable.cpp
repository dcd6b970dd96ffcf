#include "app/StartupTable.h"

#include "core/EventService.h"
#include "core/Logger.h"
#include "core/SettingService.h"
#include "core/ThreadPriority.h"
#include "core/TranslateService.h"
#include "effect/EffectService.h"
#include "media/Direct2DService.h"
#include "media/Direct3DService.h"
#include "media/ImageService.h"
#include "media/XAudio2Service.h"
#include "window/WindowService.h"

namespace App {

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
        // Resource::ResourceService
        {"Event::EventService", [] { return makeHolder<Event::EventService>(); }},
        // Window::Shortcut
        // Window::WindowMouseService
        {"Window::WindowService",
         [] {
             StartupHolder holder = makeHolder<Window::WindowService>();
             System::Singleton<Window::WindowService>::getInstance()->footer->setProgress(
                 L"Initializing...", nullptr, 0.0f);
             return holder;
         }},
        // Plugin::InputService
        // Plugin::OutputService
        // Plugin::ScriptService
        // Plugin::FilterPluginService
        // Plugin::ScriptModuleService
        // Plugin::CommonPluginService
        // Cache::CacheService
        {"Effect::EffectService", [] { return makeHolder<Effect::EffectService>(); }},
        // Undo::UndoService
        // Edit::EditService
        // Render::RenderService
        // Component::EditComponent
        // Component::StatusComponent
        // Component::SettingComponent
        // Component::PreviewEditComponent
        // Component::EffectColorSettingComponent
        // Component::EffectTimeSettingComponent
        // Component::EffectTextSettingComponent
        // Component::SceneListComponent
        // Component::ObjectListComponent
        // media explorers (no holder: a local list)
        // Component::LogComponent
        // Menu::MainMenu
    };
    return rows;
}

}  // namespace App
