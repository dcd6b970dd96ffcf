// The context menu of an effect block and the commands behind it: adding
// and removing filters, cut, copy and paste through the window's copy
// buffer, switching the input or output, defaults, aliases and folding.
#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/event/EventCommand.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "edit/command/AliasCommand.h"
#include "edit/command/EffectMenuCommand.h"
#include "edit/command/EffectSettingCommand.h"
#include "edit/command/CommandSupport.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/registry/AliasSave.h"
#include "effect/registry/EffectService.h"
#include "settings/EffectClipboard.h"
#include "settings/EffectSetting.h"
#include "settings/SettingComponent.h"

#include <exception>
#include <memory>

namespace Component {

namespace {

using Kind = Window::MenuEntry::Kind;

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

Window::MenuEntry command(const wchar_t* text, bool enabled, std::function<void()> run) {
    return {Kind::Command, menuText(text), enabled, false, std::move(run), {}};
}

// A failure of a file written or read by a command is shown, not raised
// through the menu.
template <class Run>
void runReported(Run&& run) {
    try {
        run();
    } catch (const std::exception& e) {
        System::Log::error("Component::EffectSetting", "%s", e.what());
        Event::postEventCommand(Event::EventCommandType::ShowException,
                                std::unique_ptr<std::exception>(new System::Exception(e.what())));
    }
}

Effect::EffectService* registryOf(const Edit::Object& object) { return object.effectService; }

}  // namespace

Window::MenuEntries EffectSetting::buildContextMenu() {
    Window::MenuEntries menu;
    const Edit::ObjectPointer object = window.settingObject;
    if (!object) return menu;
    const bool first = isFirstBlock();
    const bool filter = isFilter();
    const SettingMenuCalls& calls = SettingMenuCalls::installed();

    Window::MenuEntry add{Kind::Submenu, menuText(L"フィルタ効果を追加"), true, false, {}, {}};
    const std::uint8_t media = filterMenuMedia(*object);
    add.children = calls.effectMenu ? calls.effectMenu(object, FilterEffectMenu, media, effect.get())
                                    : plainFilterMenu(object, media, effect.get());
    if (add.children.empty()) add.enabled = false;
    menu.push_back(std::move(add));
    Edit::EditService* edit = window.editServiceOf();
    const EffectPointer self = effect;
    menu.push_back(command(L"フィルタ効果を削除", !first, [edit, object, self] {
        if (edit) Edit::EditCommand::removeEffect(*edit, object, self);
    }));
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back(command(L"切り取り", !first, [this] { cutEffect(); }));
    menu.push_back(command(L"コピー", filter, [this] { copyEffect(); }));
    menu.push_back(command(L"貼り付け", !window.copyBuffer.empty(), [this] { pasteEffect(); }));
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back(command(L"以降を切り取り", !first, [this] { cutAfterEffect(); }));
    menu.push_back(command(L"以降をコピー", filter, [this] { copyAfterEffect(); }));
    if (effect->effectType == Effect::EffectKind::Input) {
        menu.push_back(Window::MenuEntry::separator());
        const std::uint8_t inputMedia = object->effectList.front()->mediaType;
        Window::MenuEntry inputs{Kind::Submenu, menuText(L"オブジェクトの入力切替"), true, false, {}, {}};
        Window::MenuEntry outputs{Kind::Submenu, menuText(L"オブジェクトの出力切替"), true, false, {}, {}};
        if (calls.effectMenu) {
            inputs.children = calls.effectMenu(object, InputEffectMenu, inputMedia, nullptr);
            outputs.children = calls.effectMenu(object, OutputEffectMenu, inputMedia, nullptr);
        }
        inputs.enabled = !inputs.children.empty();
        outputs.enabled = !outputs.children.empty();
        menu.push_back(std::move(inputs));
        menu.push_back(std::move(outputs));
    }
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back(command(L"設定を初期化", true, [this] { setDefaultSetting(); }));
    Window::MenuEntry save{Kind::Submenu, menuText(L"設定を保存"), true, false, {}, {}};
    save.children.push_back(command(L"現在の設定を初期値にする", true, [this] { saveDefaultSetting(); }));
    save.children.push_back(command(L"初期値を標準に戻す", true, [this] { resetDefaultSetting(); }));
    menu.push_back(std::move(save));
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back(command(L"エイリアスを作成", true, [this] { createAlias(); }));
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back(command(L"全ての項目を折りたたみ/展開", true, [this] { foldAll(); }));
    menu.push_back(Window::MenuEntry::separator());
    window.createWindowMenu(menu);
    return menu;
}

void EffectSetting::procContextMenu(int, int) {
    if (!window.settingObject) return;
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    select();
    Window::MenuEntries menu = buildContextMenu();
    // The highlight goes when the menu closes, before the chosen command
    // (which may rebuild every block).
    SettingComponent* owner = &window;
    std::function<void(Window::MenuEntries&)> wrap = [&](Window::MenuEntries& entries) {
        for (Window::MenuEntry& entry : entries) {
            if (entry.command) {
                entry.command = [owner, run = std::move(entry.command)] {
                    clearSelection(*owner);
                    run();
                };
            }
            wrap(entry.children);
        }
    };
    wrap(menu);
    show(window.window, menu);
    // Nothing chosen: the block is still there.
    clearSelection(*owner);
}

void EffectSetting::showSwitchMenu() {
    const Edit::ObjectPointer object = window.settingObject;
    const SettingMenuCalls& calls = SettingMenuCalls::installed();
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!object || !calls.effectSelectMenu || !show) return;
    const int kind = isFilter() ? SelectFilter
                     : effect->effectType == Effect::EffectKind::Input ? SelectInput
                                                                       : SelectControl;
    show(window.window, calls.effectSelectMenu(object, effect, kind));
}

void EffectSetting::cutEffect() {
    const Edit::ObjectPointer object = window.settingObject;
    Edit::EditService* edit = window.editServiceOf();
    if (!object || !edit || isFirstBlock()) return;
    System::Log::info("Component::EffectSetting::cutEffect", "cut effect");
    window.copyBuffer.clear();
    if (EffectPointer copy = cloneEffect(*object, *effect)) window.copyBuffer.push_back(std::move(copy));
    const EffectPointer self = effect;
    Edit::EditScope scope(*edit);
    Edit::EditCommand::setEffectScopeFlags(scope, object);
    scope.beginUndo();
    Edit::EditCommand::record(*edit, &Undo::UndoService::addObjectUndoEffect, object);
    object->removeEffect(self.get());
}

void EffectSetting::copyEffect() {
    const Edit::ObjectPointer object = window.settingObject;
    if (!object || !isFilter()) return;
    System::Log::info("Component::EffectSetting::copyEffect", "copy effect");
    window.copyBuffer.clear();
    if (EffectPointer copy = cloneEffect(*object, *effect)) window.copyBuffer.push_back(std::move(copy));
}

void EffectSetting::cutAfterEffect() {
    const Edit::ObjectPointer object = window.settingObject;
    Edit::EditService* edit = window.editServiceOf();
    if (!object || !edit || isFirstBlock()) return;
    System::Log::info("Component::EffectSetting::cutAfterEffect", "cut after effect");
    window.copyBuffer.clear();
    for (int i = window.blockIndex(this); i >= 0 && i < static_cast<int>(window.blocks.size()); ++i)
        window.copyBuffer.push_back(window.blocks[static_cast<std::size_t>(i)]->effect);
    const EffectBuffer cut = window.copyBuffer;
    Edit::EditScope scope(*edit);
    Edit::EditCommand::setEffectScopeFlags(scope, object);
    scope.beginUndo();
    Edit::EditCommand::record(*edit, &Undo::UndoService::addObjectUndoEffect, object);
    for (const EffectPointer& gone : cut) object->removeEffect(gone.get());
}

void EffectSetting::copyAfterEffect() {
    const Edit::ObjectPointer object = window.settingObject;
    if (!object || !isFilter()) return;
    System::Log::info("Component::EffectSetting::copyAfterEffect", "copy after effect");
    window.copyBuffer.clear();
    for (int i = window.blockIndex(this); i >= 0 && i < static_cast<int>(window.blocks.size()); ++i)
        window.copyBuffer.push_back(window.blocks[static_cast<std::size_t>(i)]->effect);
}

void EffectSetting::pasteEffect() {
    const Edit::ObjectPointer object = window.settingObject;
    Edit::EditService* edit = window.editServiceOf();
    if (!object || !edit || window.copyBuffer.empty()) return;
    System::Log::info("Component::EffectSetting::pasteEffect", "paste effect");
    const EffectBuffer buffer = window.copyBuffer;
    const EffectPointer after = effect;
    runReported([&] {
        Edit::EditScope scope(*edit);
        Edit::EditCommand::setEffectScopeFlags(scope, object);
        scope.beginUndo();
        Edit::EditCommand::record(*edit, &Undo::UndoService::addObjectUndoEffect, object);
        // A paste that fails half way leaves the chain as it was.
        const Edit::EffectManager::EffectList before = object->effectList;
        try {
            pasteEffects(*object, after.get(), buffer);
        } catch (...) {
            object->effectList = before;
            throw;
        }
    });
}

void EffectSetting::setDefaultSetting() {
    const Edit::ObjectPointer object = window.settingObject;
    Edit::EditService* edit = window.editServiceOf();
    Effect::EffectService* registry = object ? registryOf(*object) : nullptr;
    if (!object || !edit || !registry) return;
    System::Log::info("Component::EffectSetting::setDefaultSetting", "initialize effect [%s]",
                      System::String::toUtf8(effect->name).c_str());
    const EffectPointer targets[] = {effect, output};
    runReported([&] {
        Edit::EditScope scope(*edit);
        Edit::EditCommand::setEffectScopeFlags(scope, object);
        scope.beginUndo();
        for (const EffectPointer& target : targets) {
            if (!target) continue;
            if (Undo::UndoService* undo = edit->getUndoService()) undo->addEffectUndoUpdate(target);
            target->setItemData(registry->findEffect(target->name).getDefaultSetting());
            Edit::EffectManager::setEffectSectionNum(*target, object->getMidPointCount() + 1);
        }
    });
}

void EffectSetting::saveDefaultSetting() {
    const Edit::ObjectPointer object = window.settingObject;
    Effect::EffectService* registry = object ? registryOf(*object) : nullptr;
    if (!registry) return;
    runReported([&] {
        registry->findEffect(effect->name).saveDefaultSetting(*effect);
        if (output) registry->findEffect(output->name).saveDefaultSetting(*output);
    });
}

void EffectSetting::resetDefaultSetting() {
    const Edit::ObjectPointer object = window.settingObject;
    Effect::EffectService* registry = object ? registryOf(*object) : nullptr;
    if (!registry) return;
    runReported([&] {
        registry->findEffect(effect->name).resetDefaultSetting(*effect);
        if (output) registry->findEffect(output->name).resetDefaultSetting(*output);
    });
}

void EffectSetting::createAlias() {
    const Edit::ObjectPointer object = window.settingObject;
    Effect::EffectService* registry = object ? registryOf(*object) : nullptr;
    if (!object || !registry) return;
    runReported([&] {
        if (isFirstBlock())
            Edit::EditCommand::saveObjectSettingAlias(*object);
        else
            Effect::saveEffectAliasFile(*registry, *effect);
    });
}

void EffectSetting::foldAll() {
    const Edit::ObjectPointer object = window.settingObject;
    if (!object) return;
    bool anyOpen = false;
    for (const EffectPointer& entry : object->effectList) anyOpen = anyOpen || !entry->hide;
    for (const EffectPointer& entry : object->effectList) entry->hide = anyOpen;
    for (const std::unique_ptr<EffectSetting>& block : window.blocks) block->rebuildItemControls();
    window.layoutEffectSettings();
    window.procMove();
    window.procPaint();
}

}  // namespace Component
