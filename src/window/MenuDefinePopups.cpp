#include "window/MenuDefinePopups.h"

#include "core/base/Singleton.h"
#include "core/translate/TranslateService.h"
#include "edit/model/Object.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/movement/MovementDefine.h"
#include "effect/registry/EffectDefine.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/Palette.h"
#include "media/draw/Direct2DService.h"
#include "media/draw/FontDefine.h"
#include "platform/gtk/Menu.h"

#include <algorithm>

namespace Menu {

namespace {

Effect::EffectService* effects() { return System::Singleton<Effect::EffectService>::getInstance(); }

void markRadio(Platform::MenuHandle menu, UINT item, UINT by) {
    Platform::setMenuItemRadio(menu, item, by);
    Platform::checkMenuItem(menu, item, by | Platform::MF_CHECKED);
}

}  // namespace

const wchar_t* getMenuLabel(const MenuDefineBase& definition) {
    using Translate::TranslateService;
    if (!TranslateService::languageLoaded()) return definition.label.c_str();
    return TranslateService::translate(TranslateService::Table::Effect, definition.label.c_str());
}

Window::BaseMenu& getGroupMenu(const wchar_t* label, Window::BaseMenu& menu, GroupMenuMap& cache) {
    const std::wstring text = label ? label : L"";
    if (text.empty()) return menu;
    std::wstring path;
    Window::BaseMenu* current = &menu;
    std::size_t at = 0;
    while (true) {
        const std::size_t slash = text.find(L'\\', at);
        const std::wstring piece = text.substr(at, slash == std::wstring::npos ? std::wstring::npos : slash - at);
        if (!path.empty()) path += L'\\';
        path += piece;
        auto found = cache.find(path);
        if (found == cache.end())
            found = cache.emplace(path, std::make_unique<Window::BaseMenu>(*current, piece)).first;
        current = found->second.get();
        if (slash == std::wstring::npos) break;
        at = slash + 1;
    }
    return *current;
}

void appendDefinition(Window::BaseMenu& menu, GroupMenuMap& cache, MenuDefineBase& definition,
                      std::function<void()> action, bool current) {
    Window::BaseMenu& group = getGroupMenu(getMenuLabel(definition), menu, cache);
    Window::MenuItem item = group.insertItem(definition.getTranslatedName(), std::move(action));
    if (!current) return;
    item.setRadio();
    Platform::checkMenuItem(item.menu, static_cast<UINT>(item.commandId), Platform::MF_BYCOMMAND | Platform::MF_CHECKED);
    if (&group == &menu) return;
    const int position = menu.findSubMenu(group);
    if (position >= 0) markRadio(menu.hmenu, static_cast<UINT>(position), Platform::MF_BYPOSITION);
}

bool mediaFits(std::uint8_t m, std::uint8_t c) {
    return m == c || c == 0 || ((m == 1 || m == 2) && c == 3) || (m == 3 && c != 4);
}

void createObjectMenu(Window::BaseMenu& menu, int layer, int frame, std::uint8_t kind) {
    Effect::EffectService* service = effects();
    if (!service) return;
    appendDefinitions<Effect::EffectMenuDefine>(menu, service->getEffectMenuList(kind, 0, 0),
                                                [layer, frame](Effect::EffectMenuDefine* d) { d->createObject(layer, frame); });
}

void createEffectMenu(Window::BaseMenu& menu, const std::shared_ptr<Edit::Object>& object, std::uint8_t kind,
                      std::uint8_t media, const Effect::EffectBase* position) {
    Effect::EffectService* service = effects();
    if (!service) return;
    // The object's input (kind 1) or output (kind 2) is the marked entry.
    const Effect::EffectBase* marked = nullptr;
    if (object && !object->effectList.empty() && object->effectList.front()->effectType == 1) {
        if (kind == 1) marked = object->effectList.front().get();
        if (kind == 2 && object->effectList.size() > 1) marked = object->effectList[1].get();
    }
    const std::vector<Effect::EffectMenuDefine*> list = service->getEffectMenuList(kind, media, 0);
    const Effect::EffectMenuDefine* current = nullptr;
    if (marked)
        for (const Effect::EffectMenuDefine* d : list)
            if (d->hide == 0 && d->isDefineOf(marked)) current = d;
    const std::shared_ptr<Edit::Object> target = object;
    appendDefinitions<Effect::EffectMenuDefine>(
        menu, list, [target, position](Effect::EffectMenuDefine* d) { d->addEffect(target, position, false); }, current);
}

void createEffectSelectMenu(Window::BaseMenu& menu, const std::shared_ptr<Edit::Object>& object,
                            const Effect::EffectBase* current, SelectVariant variant) {
    Effect::EffectService* service = effects();
    if (!service || !current) return;
    // An unregistered current effect throws before anything is added.
    const Effect::EffectDefine& reference = service->findEffect(current->name);
    const std::uint8_t kind = variant == SelectVariant::Filter ? 3 : variant == SelectVariant::Input ? 1 : 4;
    const std::shared_ptr<Edit::Object> target = object;
    for (Effect::EffectMenuDefine* candidate : service->getEffectMenuList(0, 0, 0)) {
        if (candidate->getEffectType() != kind || !mediaFits(candidate->getMediaType(), current->mediaType)) continue;
        if (variant == SelectVariant::Control && candidate->getTargetType() != 3 && candidate->getTargetType() != 5)
            continue;
        if (candidate->hide != 0 || candidate->label != reference.label) continue;
        const bool replace = variant == SelectVariant::Filter;
        Window::MenuItem item = menu.insertItem(candidate->getTranslatedName(), [target, candidate, current, replace] {
            candidate->addEffect(target, replace ? current : nullptr, replace);
        });
        item.setRadio();
        Platform::checkMenuItem(item.menu, static_cast<UINT>(item.commandId),
                                Platform::MF_BYCOMMAND |
                                    (candidate->isDefineOf(current) ? Platform::MF_CHECKED : Platform::MF_UNCHECKED));
    }
}

void createMovementMenu(Window::BaseMenu& menu, Effect::EffectItemNumber& item,
                        std::function<void(Effect::MovementDefine*)> onSelect) {
    Effect::EffectService* service = effects();
    if (!service) return;
    const std::vector<Effect::MovementDefine*> list = service->getMovementMenuList(item.movementMenuCallback);
    const Effect::MovementDefine* current = nullptr;
    for (const Effect::MovementDefine* d : list)
        if (d->prototype.get() == item.movement) current = d;
    appendDefinitions<Effect::MovementDefine>(menu, list, onSelect, current);
}

void createPresetColorMenu(Window::BaseMenu& menu, std::function<void(Effect::PresetColorDefine*)> onSelect) {
    Effect::EffectService* service = effects();
    if (!service) return;
    appendDefinitions<Effect::PresetColorDefine>(menu, service->palettes.getPresetColorList(), onSelect);
}

void createFontMenu(Window::BaseMenu& menu, std::function<void(Media::FontDefine*)> onSelect,
                    const wchar_t* currentFont) {
    auto* direct2D = System::Singleton<Media::Direct2DService>::getInstance();
    if (!direct2D) return;
    const std::vector<Media::FontDefine*> list = direct2D->fontManager.getFontList();
    const Media::FontDefine* current = nullptr;
    if (currentFont)
        for (const Media::FontDefine* d : list)
            if (d->name == currentFont) current = d;
    appendDefinitions<Media::FontDefine>(menu, list, onSelect, current);
}

}  // namespace Menu
