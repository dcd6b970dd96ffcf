#pragma once
// Multi-line text and one-line strings. The text item also carries the
// compact form in which undo records keep a text edit: the lengths of the
// prefix and suffix both states share, and only the differing middle.
#include "effect/item/EffectItem.h"

namespace Effect {

class EffectItemText : public EffectItem {
public:
    EffectItemText(ItemList& items, std::wstring name, std::wstring text = {});

    // From a compact source the full text is rebuilt around the source's
    // middle; otherwise the text is copied.
    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    // "\" becomes "\\" and every line break the two characters "\n".
    std::string toString() const override;
    // "\\" and "\n" are undone (line breaks come back as LF); any other
    // backslash stays. A text holding a NUL throws std::invalid_argument
    // (its written form would end there) and the item keeps its text.
    void fromString(const std::string& text) override;
    // The legacy key "text" holds the text as hexadecimal UTF-16.
    void loadQroValue(const std::string& value, const std::wstring& key,
                      const wchar_t* effectName, bool flag) override;

    // Turns this item and the other (the two states of one edit) into the
    // compact form; equal texts stay as they are.
    void makeDiff(EffectItemText& other);

    std::wstring text;
    int prefixLength = 0;
    int suffixLength = 0;

protected:
    EffectItemText(const EffectItemText& other) = default;
};

class EffectItemString : public EffectItem {
public:
    // type: ItemType::String, or for script value parameters
    // ItemType::StringUnquoted / ItemType::StringBraced.
    EffectItemString(ItemList& items, std::wstring name, std::wstring text = {},
                     std::uint8_t type = ItemType::String);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // Refuses a text holding a NUL or a line break (std::invalid_argument):
    // the one line it is written as would end there.
    void fromString(const std::string& text) override;

    std::wstring text;

protected:
    EffectItemString(const EffectItemString& other) = default;
};

}  // namespace Effect
