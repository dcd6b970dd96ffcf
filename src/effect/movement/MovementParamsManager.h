#pragma once
// The movement parameter presets: those of the program folder's
// preset.params first (built in), then those of every ".params" file of the
// defaults folder. A file with one preset names it after the file; a file
// with several names each by its key, "@" and the file's name when it is not
// built in. The first preset of a key wins; later ones are refused with an
// error box. Part of the effect service; user-interface thread only.
#include "effect/movement/MovementParamsDefine.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Effect {

class MovementParamsManager {
public:
    // Forgets every preset, then reads the built-in file and the defaults
    // folder's files in listing order.
    void reloadMovementParams();
    // The presets of one file.
    void registerMovementParams(const std::wstring& path, bool builtIn);

    // Every preset by menu order (ties in no defined order).
    std::vector<MovementParamsDefine*> getMovementParamsList() const;
    // The distinct non-empty labels in menu order.
    std::vector<const wchar_t*> getLabelList() const;
    // The preset of a key, or null.
    MovementParamsDefine* findMovementParams(const std::wstring& key) const;

private:
    std::unordered_map<std::wstring, std::unique_ptr<MovementParamsDefine>> params_;
    // Numbers every preset registered since start; a reload goes on counting.
    int counter_ = 0;
};

}  // namespace Effect
