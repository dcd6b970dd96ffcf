#pragma once
// One movement parameter preset: a named list of numbers that fills an
// item's movement parameters (the time-control curve editor offers them),
// listed in menus under the section "Params". Presets live in ".params"
// files: UTF-8 lines "key=value,value,...".
#include "effect/registry/KeyValueFile.h"
#include "core/file/MenuDefineBase.h"

#include <string>
#include <vector>

namespace Effect {

class MovementParamsDefine : public Menu::MenuDefineBase {
public:
    // Shown, with an empty label and the registration number as order,
    // unless the main settings file says otherwise.
    MovementParamsDefine(const std::wstring& key, int order, std::vector<double> params);
    ~MovementParamsDefine() = default;

    const wchar_t* getName() const override { return name.c_str(); }

    // The (key, value text) pairs of a params file in file order: empty and
    // ";" lines are skipped, and only lines with exactly one "=" count. A
    // file that cannot be read gives none.
    static std::vector<KeyValue> loadMovementParamsFile(const std::wstring& path);
    // Writes one preset: the single line "params=" + the values, CR LF. The
    // old file stays when writing fails (the failure is raised).
    static void saveMovementParamsFile(const std::wstring& path, const std::vector<double>& params);

    std::vector<double> params;
    const std::wstring name;  // the key
};

}  // namespace Effect
