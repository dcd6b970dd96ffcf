#include "effect/movement/MovementParamsManager.h"

#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "core/event/MessageBox.h"
#include "effect/base/StdConvert.h"

#include <exception>

namespace Effect {

void MovementParamsManager::reloadMovementParams() {
    params_.clear();
    registerMovementParams(L"%AppInstall%\\preset.params", true);
    std::wstring pattern = L"%Default%\\*.params";
    System::FileName::expandVariable(pattern);
    for (const System::File::FileInfo& file : System::File::findFiles(pattern, L"%Default%"))
        registerMovementParams(file.name, false);
}

void MovementParamsManager::registerMovementParams(const std::wstring& path, bool builtIn) {
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    const std::wstring stem = System::FileName::getTitle(expanded);
    try {
        const auto pairs = MovementParamsDefine::loadMovementParamsFile(expanded);
        for (const auto& [keyText, valueText] : pairs) {
            std::wstring key = stem;
            if (pairs.size() != 1) {
                key = System::String::toWide(keyText);
                if (!builtIn) key += L"@" + stem;
            }
            const int order = counter_++;
            std::vector<double> values = StdConvert::splitDoubles(valueText);
            if (params_.contains(key)) {
                Dialog::showError("Failed to register movement params. [%s]\n\n%s",
                                  System::String::toUtf8(key).c_str(),
                                  "Duplicate params with the same key exist.");
                continue;
            }
            params_.emplace(key, std::make_unique<MovementParamsDefine>(key, order, std::move(values)));
            System::Log::info("Effect::MovementParamsManager::registerMovementParams",
                              "register movement params [%s]", System::String::toUtf8(key).c_str());
        }
    } catch (const std::exception& e) {
        Dialog::showError("Failed to register movement params. [%s]\n\n%s",
                          System::String::toUtf8(expanded).c_str(), e.what());
    }
}

std::vector<MovementParamsDefine*> MovementParamsManager::getMovementParamsList() const {
    std::vector<MovementParamsDefine*> list;
    list.reserve(params_.size());
    for (const auto& entry : params_) list.push_back(entry.second.get());
    Menu::sortByOrder(list);
    return list;
}

std::vector<const wchar_t*> MovementParamsManager::getLabelList() const {
    return Menu::distinctLabels(getMovementParamsList());
}

MovementParamsDefine* MovementParamsManager::findMovementParams(const std::wstring& key) const {
    const auto found = params_.find(key);
    return found == params_.end() ? nullptr : found->second.get();
}

}  // namespace Effect
