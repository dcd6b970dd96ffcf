#include "edit/chain/EffectManager.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "edit/model/Object.h"
#include "effect/base/ControlState.h"
#include "effect/base/ObjectContextBase.h"
#include "effect/movement/MovementBase.h"
#include "effect/registry/EffectDefine.h"
#include "effect/registry/EffectService.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace Edit {

using Effect::EffectKind::Control;
using Effect::EffectKind::Filter;
using Effect::EffectKind::Input;
using Effect::EffectKind::Output;

namespace {

[[noreturn]] void fail(const char* operation, const char* message) {
    throw System::makeException(operation, message);
}

bool isType(const EffectManager::EffectPointer& effect, std::uint8_t type) {
    return effect && effect->effectType == type;
}

}  // namespace

bool isFitMedia(std::uint8_t target, std::uint8_t media) {
    using namespace Effect::MediaKind;
    switch (target) {
    case Video: return media == Video || media == VideoAudio;
    case Audio: return media == Audio || media == VideoAudio;
    case VideoAudio: return media == Video || media == Audio || media == VideoAudio;
    case Camera: return media == Camera;
    default: return false;
    }
}

EffectManager::EffectManager(Effect::EffectService* service)
    : effectService(service ? service : System::Singleton<Effect::EffectService>::getInstance()) {}

Effect::EffectDefine& EffectManager::findDefine(const wchar_t* name) const {
    if (!effectService)
        throw System::makeException("Effect::EffectService::findEffect", "not found effect.");
    return effectService->findEffect(name);
}

EffectManager::EffectPointer EffectManager::newInstance(const Effect::EffectDefine& define) const {
    return define.createEffect();
}

EffectManager::EffectPointer& EffectManager::setEffectByDefine(Effect::EffectDefine& define) {
    switch (define.getEffectType()) {
    case Input: return setInputEffect(define);
    case Output: return setOutputEffect(define);
    case Filter: return setFilterEffect(define);
    case Control: return setControlEffect(define);
    default: fail("Edit::EffectManager::setEffectByDefine", "invalid effect type.");
    }
}

EffectManager::EffectPointer& EffectManager::setFilterEffect(Effect::EffectDefine& define) {
    if (!effectList.empty() && !isFitMedia(effectList.front()->targetType, define.getMediaType()))
        fail("Edit::EffectManager::setFilterEffect", "different effect type.");
    effectList.push_back(newInstance(define));
    return effectList.back();
}

EffectManager::EffectPointer& EffectManager::setInputEffect(Effect::EffectDefine& define) {
    constexpr const char* place = "Edit::EffectManager::setInputEffect";
    if (effectList.empty()) {
        // Both are made before the chain changes: a missing output leaves
        // the chain empty.
        EffectPointer input = newInstance(define);
        EffectPointer output = newInstance(effectService->getOutputEffect(define));
        effectList.push_back(std::move(input));
        effectList.push_back(std::move(output));
        return effectList.front();
    }
    const EffectPointer& first = effectList.front();
    if (first->effectType != Input) fail(place, "different effect type.");
    if (define.isDefineOf(first.get())) return effectList.front();
    for (std::size_t i = 1; i < effectList.size(); ++i)
        if (!isFitMedia(first->targetType, effectList[i]->mediaType))
            fail(place, "different filter effect type.");
    effectList.front() = newInstance(define);
    return effectList.front();
}

EffectManager::EffectPointer& EffectManager::setOutputEffect(Effect::EffectDefine& define) {
    constexpr const char* place = "Edit::EffectManager::setOutputEffect";
    if (effectList.empty()) {
        const wchar_t* inputName = define.prototype->getInputEffectName();
        if (define.getMediaType() != Effect::MediaKind::Video || !inputName)
            fail(place, "not exist input effect.");
        Effect::EffectDefine* input = nullptr;
        try {
            input = &findDefine(inputName);
        } catch (const std::exception&) {
            fail(place, "not exist input effect.");
        }
        // The paired input stays even when the output then does not fit.
        effectList.push_back(newInstance(*input));
    }
    const EffectPointer& first = effectList.front();
    if (first->effectType != Input || !isFitMedia(first->targetType, define.getMediaType()))
        fail(place, "different effect type.");
    if (effectList.size() == 1) {
        effectList.push_back(newInstance(define));
    } else if (!define.isDefineOf(effectList[1].get())) {
        effectList[1] = newInstance(define);
    }
    return effectList[1];
}

EffectManager::EffectPointer& EffectManager::setControlEffect(Effect::EffectDefine& define) {
    if (!effectList.empty()) {
        const EffectPointer& first = effectList.front();
        if (first->effectType != Control || first->targetType != Effect::MediaKind::Scene)
            fail("Edit::EffectManager::setControlEffect", "can not change control effect.");
    }
    EffectPointer control = newInstance(define);
    effectList.clear();
    layerRangeControl = control && Effect::governsLayerRange(*control);
    effectList.push_back(std::move(control));
    return effectList.back();
}

void EffectManager::updateLayerRangeControl() {
    layerRangeControl = !effectList.empty() && effectList.front()->effectType == Control &&
                        Effect::governsLayerRange(*effectList.front());
}

void EffectManager::adjustEffectList() {
    if (effectList.empty()) return;
    const std::uint8_t target = effectList.front()->targetType;
    const std::uint8_t output =
        effectList.size() > 1 && isType(effectList[1], Output) ? effectList[1]->mediaType : target;
    const EffectPointer first = effectList.front();
    std::erase_if(effectList, [&](const EffectPointer& effect) {
        return effect != first &&
               !(isFitMedia(target, effect->mediaType) && isFitMedia(output, effect->mediaType));
    });
    if (first->effectType == Input && !(effectList.size() > 1 && isType(effectList[1], Output))) {
        EffectPointer made = newInstance(effectService->getOutputEffect(findDefine(first->name)));
        effectList.insert(effectList.begin() + 1, std::move(made));
    }
}

EffectManager::EffectPointer& EffectManager::addEffect(const wchar_t* name, int midPoints,
                                                       const Effect::EffectBase* after) {
    Effect::EffectDefine& define = findDefine(name);
    // Built aside first, so that a failure leaves the chain as it was.
    EffectManager trial(effectService);
    trial.effectList = effectList;
    trial.layerRangeControl = layerRangeControl;
    EffectPointer& entry = trial.setEffectByDefine(define);
    entry->setItemData(define.getDefaultSetting());
    setEffectSectionNum(*entry, midPoints + 1);
    const Effect::EffectBase* made = entry.get();
    effectList = std::move(trial.effectList);
    layerRangeControl = trial.layerRangeControl;
    if (after) moveEffectAfter(made, after);
    return effectList[static_cast<std::size_t>(indexOf(made))];
}

int EffectManager::indexOf(const Effect::EffectBase* effect) const {
    for (std::size_t i = 0; i < effectList.size(); ++i)
        if (effectList[i].get() == effect) return static_cast<int>(i);
    return -1;
}

void EffectManager::moveEffectUp(const Effect::EffectBase* effect) {
    const int i = indexOf(effect);
    if (i <= 0) return;
    auto& here = effectList[static_cast<std::size_t>(i)];
    auto& above = effectList[static_cast<std::size_t>(i - 1)];
    if (isType(here, Filter) && isType(above, Filter)) std::swap(here, above);
}

void EffectManager::moveEffectDown(const Effect::EffectBase* effect) {
    const int i = indexOf(effect);
    if (i < 0 || i + 1 >= static_cast<int>(effectList.size())) return;
    auto& here = effectList[static_cast<std::size_t>(i)];
    auto& below = effectList[static_cast<std::size_t>(i + 1)];
    if (isType(here, Filter) && isType(below, Filter)) std::swap(here, below);
}

void EffectManager::moveEffectAfter(const Effect::EffectBase* effect, const Effect::EffectBase* after) {
    if (effectList.empty() || effectList.back().get() != effect || !isType(effectList.back(), Filter))
        return;
    for (std::size_t i = effectList.size() - 1; i > 0; --i) {
        const EffectPointer& above = effectList[i - 1];
        if (!isType(above, Filter) || above.get() == after) break;
        std::swap(effectList[i], effectList[i - 1]);
    }
}

void EffectManager::moveEffectBefore(const Effect::EffectBase* effect, const Effect::EffectBase* before) {
    if (effectList.empty() || effectList.back().get() != effect || !isType(effectList.back(), Filter) ||
        indexOf(before) < 0)
        return;
    for (std::size_t i = effectList.size() - 1; i > 0; --i) {
        const EffectPointer& above = effectList[i - 1];
        if (!isType(above, Filter)) break;
        const bool reached = above.get() == before;
        std::swap(effectList[i], effectList[i - 1]);
        if (reached) break;
    }
}

void EffectManager::removeEffectIf(const std::function<bool(const EffectPointer&)>& predicate) {
    std::erase_if(effectList, predicate);
}

void EffectManager::removeEffect(const Effect::EffectBase* effect) {
    // The first entry goes only when a filter can take its place.
    if (!effectList.empty() && effectList.front().get() == effect) {
        const bool filters = effectList.size() > 1 && effectList[0]->effectType == Effect::EffectKind::Filter &&
                             effectList[1]->effectType == Effect::EffectKind::Filter;
        if (!filters) return;
        std::swap(effectList[0], effectList[1]);
    }
    removeEffectIf([effect](const EffectPointer& entry) { return entry.get() == effect; });
}

void EffectManager::setEffectSectionNum(Effect::EffectBase& effect, int sectionCount) {
    for (Effect::EffectItem* item : effect.items)
        if (item->type == Effect::ItemType::Number)
            static_cast<Effect::EffectItemNumber*>(item)->resizeValueList(sectionCount + 1);
}

void EffectManager::copyEffectList(EffectManager& target) const {
    EffectList copies;
    copies.reserve(effectList.size());
    for (const EffectPointer& source : effectList) {
        EffectPointer copy = newInstance(findDefine(source->name));
        copy->setItemData(*source);
        copy->disable = source->disable;
        copy->hide = source->hide;
        copy->lock = source->lock;
        copies.push_back(std::move(copy));
    }
    target.effectList = std::move(copies);
    target.layerRangeControl = layerRangeControl;
}

void EffectManager::forEachNumber(const std::function<void(Effect::EffectItemNumber&)>& fn) const {
    for (const EffectPointer& effect : effectList)
        for (Effect::EffectItem* item : effect->items)
            if (item->type == Effect::ItemType::Number) fn(*static_cast<Effect::EffectItemNumber*>(item));
}

EffectManager::NumberValueMap EffectManager::captureNumberValues(const Scene& scene, const Object& object,
                                                                 int frame, bool linear) const {
    // Movements read the scene and the object as they do while rendering;
    // the context lives only for this call, so it does not own the object.
    Render::ObjectContextBase context;
    context.scene = const_cast<Scene*>(&scene);
    context.object = std::shared_ptr<Object>(std::shared_ptr<Object>(), const_cast<Object*>(&object));
    context.layer = object.layer;
    context.frame = frame;
    context.time = frame;
    context.setObjectFrames(object);
    const Effect::SectionPosition& position = context.sectionPosition;
    NumberValueMap values;
    forEachNumber([&](Effect::EffectItemNumber& item) {
        Effect::EffectItemNumber::CapturedValue captured;
        if (!item.movement->timeControlled) {
            captured.value = item.getValueAtFrame(context, frame);
        } else if (linear) {
            const double a = item.values[static_cast<std::size_t>(item.clampValueIndex(position.index))];
            const double b = item.values[static_cast<std::size_t>(item.clampValueIndex(position.index + 1))];
            captured.value = (position.offset / position.length * (b - a) + a) / item.scale;
        } else {
            captured.value = item.getValueAtFrame(context, frame);
            captured.sectionIndex = item.movement->getSectionIndex(item, position);
        }
        values.try_emplace(&item, captured);
    });
    return values;
}

EffectManager::NumberValueMap EffectManager::captureBoundaryValues(const Object& object, int boundary,
                                                                   const EffectManager* other) const {
    const int midPoints = object.getMidPointCount();
    NumberValueMap values;
    for (std::size_t e = 0; e < effectList.size(); ++e) {
        const Effect::EffectBase* partner =
            other && e < other->effectList.size() ? other->effectList[e].get() : nullptr;
        if (other && !partner) continue;
        const Effect::ItemList& items = effectList[e]->items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            Effect::EffectItem* item = items[i];
            if (item->type != Effect::ItemType::Number) continue;
            const Effect::EffectItemNumber* key = static_cast<Effect::EffectItemNumber*>(item);
            if (partner) {
                // The partner is the item at the same position, when it is a number too.
                if (i >= partner->items.size() || partner->items[i]->type != Effect::ItemType::Number)
                    continue;
                key = static_cast<Effect::EffectItemNumber*>(partner->items[i]);
            }
            const auto& number = *static_cast<Effect::EffectItemNumber*>(item);
            const int n = static_cast<int>(number.values.size());
            int index = 0;
            if (n >= 2 && boundary > 0) {
                if (boundary >= midPoints + 1)
                    index = n - 1;
                else if (n == midPoints + 2)
                    index = boundary;
            }
            if (n == 0) continue;
            values.try_emplace(key, Effect::EffectItemNumber::CapturedValue{
                                        static_cast<double>(number.values[static_cast<std::size_t>(index)]) /
                                            number.scale,
                                        -1});
        }
    }
    return values;
}

bool EffectManager::isInputObject() const { return !effectList.empty() && isType(effectList.front(), Input); }

bool EffectManager::isControlObject() const {
    return !effectList.empty() && isType(effectList.front(), Control);
}

bool EffectManager::isFilterObject() const { return !effectList.empty() && isType(effectList.front(), Filter); }

int EffectManager::getObjectType() const {
    constexpr const char* place = "Edit::EffectManager::getObjectType";
    if (effectList.empty()) fail(place, "not exist effect.");
    const EffectPointer& first = effectList.front();
    switch (first->effectType) {
    case Input: {
        const std::uint8_t media =
            effectList.size() > 1 && isType(effectList[1], Output) ? effectList[1]->mediaType : 0;
        return media == Effect::MediaKind::Video   ? VideoMediaObject
               : media == Effect::MediaKind::Audio ? AudioMediaObject
                                                   : OtherMediaObject;
    }
    case Filter:
        return first->mediaType == Effect::MediaKind::Video   ? VideoFilterObject
               : first->mediaType == Effect::MediaKind::Audio ? AudioFilterObject
                                                              : OtherFilterObject;
    case Control: return ControlObject;
    default: fail(place, "illegal top effect.");
    }
}

}  // namespace Edit
