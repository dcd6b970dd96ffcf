#include "settings/SettingMenuCalls.h"

#include "effect/base/EffectBase.h"
#include "effect/registry/EffectMenuDefine.h"
#include "effect/registry/EffectService.h"
#include "core/translate/TranslateService.h"

namespace Component {

SettingMenuCalls& SettingMenuCalls::installed() {
    static SettingMenuCalls calls;
    return calls;
}

std::uint8_t filterMenuMedia(const Edit::Object& object) {
    const Edit::EffectManager::EffectList& chain = object.effectList;
    if (chain.empty()) return 0;
    const Effect::EffectBase& first = *chain.front();
    if (first.effectType == Effect::EffectKind::Input && chain.size() >= 2 &&
        first.targetType == Effect::MediaKind::VideoAudio)
        return chain[1]->mediaType;
    return first.targetType;
}

Window::MenuEntries plainFilterMenu(const Edit::ObjectPointer& object, std::uint8_t media,
                                    const Effect::EffectBase* position) {
    Window::MenuEntries menu;
    if (!object || !object->effectService) return menu;
    for (Effect::EffectMenuDefine* entry : object->effectService->getEffectMenuList(FilterEffectMenu, media, 0)) {
        if (entry->getEffectType() != Effect::EffectKind::Filter) continue;
        menu.push_back({Window::MenuEntry::Kind::Command,
                        Translate::TranslateService::translate(Translate::TranslateService::Table::Effect,
                                                               entry->getName()),
                        true, false, [entry, object, position] { entry->addEffect(object, position, false); }, {}});
    }
    return menu;
}

}  // namespace Component
