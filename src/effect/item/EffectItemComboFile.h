#pragma once
// A choice from a list or a file given instead: the built-in figures or an
// SVG file.
#include "effect/item/EffectItemSelect.h"

namespace Effect {

class EffectItemComboFile : public EffectItem {
public:
    EffectItemComboFile(ItemList& items, std::uint8_t type, std::wstring name,
                        EffectItemSelect::SharedList& list, const wchar_t* filter, int value);

    // Value and path.
    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    // The choice's name, or the path while the value is -1.
    std::string toString() const override;
    // A listed name selects it; a text holding "." becomes the path; any
    // other text changes nothing. A text holding a NUL or a line break
    // throws std::invalid_argument.
    void fromString(const std::string& text) override;
    void loadQroValue(const std::string& value, const std::wstring& key,
                      const wchar_t* effectName, bool flag) override;
    // Empty while a choice is selected.
    const wchar_t* getFilePath() const override;
    // A non-empty path replaces the choice.
    void setFilePath(const wchar_t* path) override;

    // The choice's name, or the file name of the path.
    std::wstring getSelectName() const;

    EffectItemSelect::SharedList* list;
    const wchar_t* filter;
    // -1 while the path is used.
    int value;
    std::wstring path;

protected:
    EffectItemComboFile(const EffectItemComboFile& other) = default;
};

// A built-in figure or an SVG file.
class EffectItemFigureSelect : public EffectItemComboFile {
public:
    static const wchar_t* const FileFilter;

    // Starts at the named figure, or at 1 ("円") without a name; a name the
    // list lacks throws "invalid unordered_map<K, T> key".
    EffectItemFigureSelect(ItemList& items, std::wstring name,
                           EffectItemSelect::SharedList& figures,
                           const wchar_t* figureName = nullptr,
                           std::uint8_t type = ItemType::FigureSelect);
    std::unique_ptr<EffectItem> clone() const override;

protected:
    EffectItemFigureSelect(const EffectItemFigureSelect& other) = default;
};

}  // namespace Effect
