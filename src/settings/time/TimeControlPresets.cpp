#include "settings/time/TimeControlPresets.h"

#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "effect/movement/MovementParamsDefine.h"
#include "effect/registry/EffectService.h"
#include "window/MenuDefinePopups.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace Component {

bool appendPresetItems(Window::BaseMenu& menu, const std::function<void(const std::vector<double>&)>& apply) {
    auto* effects = System::Singleton<Effect::EffectService>::getInstance();
    if (!effects) return false;
    const std::vector<Effect::MovementParamsDefine*> presets = effects->movementParams.getMovementParamsList();
    Menu::appendDefinitions<Effect::MovementParamsDefine>(
        menu, presets, [apply](Effect::MovementParamsDefine* preset) { apply(preset->params); });
    return std::any_of(presets.begin(), presets.end(),
                       [](const Effect::MovementParamsDefine* preset) { return preset->hide == 0; });
}

void createTimeControlPreset(const std::vector<double>& values) {
    auto* effects = System::Singleton<Effect::EffectService>::getInstance();
    if (!effects || !TimeControlPresetCalls::inputNameLabel) return;
    std::vector<std::wstring> labels;
    for (const wchar_t* label : effects->movementParams.getLabelList()) labels.emplace_back(label);
    std::wstring name, label;
    std::wstring path;
    for (;;) {
        if (!TimeControlPresetCalls::inputNameLabel(L"プリセットを作成 - 時間制御", L"プリセット名", name, label, labels))
            return;
        path = L"%Default%\\" + name + L".params";
        System::FileName::expandVariable(path);
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::path(System::String::toUtf8(path)), error)) break;
        if (Dialog::showConfirm(L"同名のプリセットが存在しています\n上書きしますか？")) break;
    }
    try {
        Effect::MovementParamsDefine::saveMovementParamsFile(path, values);
    } catch (const std::exception&) {
        Dialog::showError(L"%ls", Translate::TranslateService::translate(Translate::TranslateService::Table::Message,
                                                                        L"プリセットの保存に失敗しました"));
        return;
    }
    effects->movementParams.reloadMovementParams();
    if (Effect::MovementParamsDefine* preset = effects->movementParams.findMovementParams(name))
        preset->label = label;
}

}  // namespace Component
