#include "dialogs/menudefine/MenuDefineDialogs.h"

#include "core/base/Singleton.h"
#include "effect/registry/EffectService.h"
#include "media/draw/Direct2DService.h"

namespace Dialog {

namespace {

Effect::EffectService* effects() { return System::Singleton<Effect::EffectService>::getInstance(); }

template <class Dialog>
bool run(const std::wstring& title) {
    Dialog dialog(title);
    return dialog.show();
}

}  // namespace

std::vector<Effect::EffectMenuDefine*> EffectMenuDialog::getDefinitionList() const {
    if (auto* service = effects()) return service->getEffectMenuList(0, 0, 0);
    return {};
}

std::vector<Effect::MovementDefine*> MovementMenuDialog::getDefinitionList() const {
    if (auto* service = effects()) return service->getMovementMenuList({});
    return {};
}

std::vector<Effect::MovementParamsDefine*> MovementParamsMenuDialog::getDefinitionList() const {
    if (auto* service = effects()) return service->movementParams.getMovementParamsList();
    return {};
}

std::vector<Effect::PresetColorDefine*> PresetColorMenuDialog::getDefinitionList() const {
    if (auto* service = effects()) return service->palettes.getPresetColorList();
    return {};
}

std::vector<Media::FontDefine*> FontMenuDialog::getDefinitionList() const {
    if (auto* service = System::Singleton<Media::Direct2DService>::getInstance())
        return service->fontManager.getFontList();
    return {};
}

bool openMenuDefineDialog(MenuDefineKind kind, const std::wstring& title) {
    switch (kind) {
    case MenuDefineKind::Effect: return run<EffectMenuDialog>(title);
    case MenuDefineKind::Movement: return run<MovementMenuDialog>(title);
    case MenuDefineKind::MovementParams: return run<MovementParamsMenuDialog>(title);
    case MenuDefineKind::PresetColor: return run<PresetColorMenuDialog>(title);
    case MenuDefineKind::Font: return run<FontMenuDialog>(title);
    }
    return false;
}

}  // namespace Dialog
