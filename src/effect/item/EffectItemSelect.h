#pragma once
// Choices from a named list: the file text is the chosen name.
#include "effect/item/EffectItem.h"

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace Effect {

class EffectItemSelect : public EffectItem {
public:
    // The choices of one or more items: value -> name, and name -> value.
    class SharedList {
    public:
        // Adds value -> name unless the value is present (its first name
        // stays). The name is not copied: it must outlive the list.
        void setItem(int value, const wchar_t* name);
        // The same with a copy of the name kept by the list.
        void addItem(int value, const std::wstring& name);
        bool contains(const std::wstring& name) const;
        // Throws "invalid unordered_map<K, T> key" for a name not listed.
        int getValue(const std::wstring& name) const;
        // Throws "invalid map<K, T> key" for a value not listed.
        const wchar_t* getName(int value) const;
        bool hasValue(int value) const;
        // The smallest value: the list's first choice.
        int firstValue() const;
        // Reading rules shared by every item over a list. A listed name gives
        // its value (the first choice should the value be gone).
        bool findName(const std::wstring& name, int& value) const;
        // Legacy files: up to two characters that read as a decimal number
        // give that value, or the first choice when it is not listed.
        bool findLegacyNumber(const std::string& text, int& value) const;
        // Adds every name not indexed yet, from the smallest value up, so a
        // name shared by several values maps to the smallest.
        void rebuildIndex();

        std::map<int, const wchar_t*> items;
        std::unordered_map<std::wstring, int> index;
        std::list<std::wstring> ownedNames;
    };

    // A list shared by the items declared over it.
    EffectItemSelect(ItemList& items, std::wstring name, int value,
                     std::shared_ptr<SharedList> list);
    // A list that lives for the whole run.
    EffectItemSelect(ItemList& items, std::wstring name, int value, SharedList& list);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    // A clone shares the list.
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // A name the list lacks leaves the value as it was.
    void fromString(const std::string& text) override;
    // Up to two digits select that value (or the first choice when it is
    // not listed); other texts are read as names.
    void loadQroValue(const std::string& value, const std::wstring& key,
                      const wchar_t* effectName, bool flag) override;

    SharedList* list;
    int value;
    // Empty for lists that live for the whole run.
    std::shared_ptr<SharedList> listOwner;

protected:
    EffectItemSelect(ItemList& items, std::uint8_t type, std::wstring name, int value,
                     SharedList* list, std::shared_ptr<SharedList> listOwner);
    EffectItemSelect(const EffectItemSelect& other) = default;
};

// Drawn as a button with a choice menu; several may share a settings line.
class EffectItemSelectButton : public EffectItemSelect {
public:
    EffectItemSelectButton(ItemList& items, std::wstring name, int value,
                           std::shared_ptr<SharedList> list, float start = 0.0f,
                           float end = 1.0f);
    EffectItemSelectButton(ItemList& items, std::wstring name, int value, SharedList& list,
                           float start = 0.0f, float end = 1.0f);
    std::unique_ptr<EffectItem> clone() const override;

    float start;
    float end;

protected:
    EffectItemSelectButton(const EffectItemSelectButton& other) = default;
};

// A choice among the installed fonts (value = position in the list sorted by
// name).
class EffectItemFontSelect : public EffectItemSelect {
public:
    struct FontList {
        SharedList list;
        // The font service's default font, 0 when it is not installed.
        int defaultIndex = 0;
    };
    // Fills the installed font names sorted by name and the default font name.
    using FontSource = std::function<void(std::vector<std::wstring>& names,
                                          std::wstring& defaultName)>;

    // Set by the font service before the first font item exists.
    static void setFontSource(FontSource source);
    // One process-wide list, built on the first call.
    static FontList& getFontList();

    // Starts at the named font, or at the default font when no name is given
    // or the font is not installed.
    EffectItemFontSelect(ItemList& items, std::wstring name, const wchar_t* fontName = nullptr);
    std::unique_ptr<EffectItem> clone() const override;

protected:
    EffectItemFontSelect(const EffectItemFontSelect& other) = default;
};

}  // namespace Effect
