#pragma once
// A file on disk. Paths are kept with their path variable expanded.
#include "effect/item/EffectItem.h"

#include <functional>

namespace Effect {

class EffectItemFile : public EffectItem {
public:
    // filter: file-dialog filter text (pairs of NUL-ended texts, one more NUL
    // at the end); placeholder: shown by the row while the path is empty.
    EffectItemFile(ItemList& items, std::wstring name, std::wstring path, const wchar_t* filter,
                   const wchar_t* placeholder = nullptr);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // A text holding a NUL or a line break throws std::invalid_argument.
    void fromString(const std::string& text) override;
    const wchar_t* getFilePath() const override;
    void setFilePath(const wchar_t* path) override;

    const wchar_t* filter;
    // When set, the filter comes from here instead (the readers' filters,
    // which change while the program runs); double-null form.
    std::function<std::wstring()> filterSource;
    std::wstring path;
    const wchar_t* placeholder;

protected:
    EffectItemFile(const EffectItemFile& other) = default;
};

// A stored path with its leading path variable expanded.
std::wstring expandedPath(std::wstring path);

}  // namespace Effect
