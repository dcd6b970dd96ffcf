#include "settings/EffectClipboard.h"

#include "effect/registry/EffectService.h"

namespace Component {

std::shared_ptr<Effect::EffectBase> cloneEffect(const Edit::Object& object, const Effect::EffectBase& effect) {
    if (!object.effectService) return nullptr;
    std::shared_ptr<Effect::EffectBase> copy = object.effectService->findEffect(effect.name).createEffect();
    copy->setItemData(effect);
    copy->disable = effect.disable;
    copy->hide = effect.hide;
    copy->lock = effect.lock;
    return copy;
}

void pasteEffects(Edit::Object& object, const Effect::EffectBase* after, const EffectBuffer& buffer) {
    if (!object.effectService || object.effectList.empty()) return;
    const std::uint8_t target = object.effectList.front()->targetType;
    for (auto it = buffer.rbegin(); it != buffer.rend(); ++it) {
        const Effect::EffectBase& source = **it;
        if (source.effectType != Effect::EffectKind::Filter) continue;
        if (!Edit::isFitMedia(target, source.mediaType)) continue;
        Edit::EffectManager::EffectPointer& added =
            object.setEffectByDefine(object.effectService->findEffect(source.name));
        added->setItemData(source);
        Edit::EffectManager::setEffectSectionNum(*added, object.getMidPointCount() + 1);
        // Up past the filters until it stands right after `after`.
        const Effect::EffectBase* moved = added.get();
        for (;;) {
            const int index = object.indexOf(moved);
            if (index <= 0) break;
            const Effect::EffectBase* above = object.effectList[static_cast<std::size_t>(index) - 1].get();
            if (above == after || above->effectType != Effect::EffectKind::Filter) break;
            object.moveEffectUp(moved);
        }
    }
    object.adjustEffectList();
}

}  // namespace Component
