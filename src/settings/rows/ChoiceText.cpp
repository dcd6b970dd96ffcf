#include "settings/rows/ChoiceText.h"

#include "core/base/Log.h"
#include "edit/service/EditService.h"
#include "settings/rows/RowText.h"

namespace Component {

std::wstring choiceName(const Effect::EffectItemSelect::SharedList& list, int value, bool& warned) {
    if (list.hasValue(value)) return translateEffectText(list.getName(value));
    if (!warned) {
        System::Log::warn("Component::EffectItemSelectBase", "choice value %d is not in its list", value);
        warned = true;
    }
    return std::to_wstring(value);
}

int choiceValue(const Effect::EffectItemSelect::SharedList& list, int value) {
    if (list.hasValue(value) || list.items.empty()) return value;
    return list.firstValue();
}

std::wstring sceneName(const Edit::EditService& edit, int id) {
    const Edit::ScenePointer scene = edit.project.getScene(id);
    return scene ? scene->name : std::wstring();
}

std::wstring fileNameOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"/\\");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring filterText(const wchar_t* filter) {
    if (!filter) return {};
    const wchar_t* end = filter;
    while (end[0] || end[1]) ++end;
    return std::wstring(filter, end + 2);
}

}  // namespace Component
