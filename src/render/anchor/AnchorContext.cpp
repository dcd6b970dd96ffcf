#include "render/anchor/AnchorContext.h"

#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "media/draw/StyleValue.h"
#include "render/context/ObjectContext.h"

#include <exception>

namespace Render {

std::shared_ptr<Effect::EffectBase> findEffectEntry(const Edit::Object& object, const Effect::EffectBase& effect) {
    for (const auto& entry : object.effectList)
        if (entry.get() == &effect) return entry;
    return {};
}

bool isFocusObject(const ObjectContext& context) {
    return context.scene && context.object && context.scene->focusObject == context.object;
}

bool isSettingObject(const ObjectContext& context) {
    if (!isFocusObject(context)) return false;
    const Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
    if (!edit || !edit->hooks.getSettingObject) return true;
    return edit->hooks.getSettingObject() == context.object;
}

int getSettingSection(const ObjectContext& context) {
    const Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance();
    if (!edit || !edit->hooks.getSettingSection) return context.sectionPosition.index;
    return edit->hooks.getSettingSection();
}

AnchorOptions getAnchorOptions() {
    AnchorOptions options;
    if (const Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance()) {
        options.displayObjectMovePoint = edit->displayObjectMovePoint != 0;
        options.displayObjectCenterAnchor = edit->displayObjectCenterAnchor != 0;
        options.anchorObjectMoveSnap = edit->anchorObjectMoveSnap != 0;
    }
    return options;
}

std::array<float, 4> getStyleColor(const char* key) {
    try {
        const Platform::Cairo::ColorF color = Resource::styleColor(key);
        return {color.r, color.g, color.b, color.a};
    } catch (const std::exception& e) {
        System::Log::warn("Render::getStyleColor", "%s", e.what());
        return {1.0f, 1.0f, 1.0f, 1.0f};
    }
}

}  // namespace Render
