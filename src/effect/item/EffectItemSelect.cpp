#include "effect/item/EffectItemSelect.h"

#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"

#include <mutex>
#include <stdexcept>

namespace Effect {

void EffectItemSelect::SharedList::setItem(int value, const wchar_t* name) {
    items.emplace(value, name);
    rebuildIndex();
}

void EffectItemSelect::SharedList::addItem(int value, const std::wstring& name) {
    ownedNames.push_back(name);
    setItem(value, ownedNames.back().c_str());
}

bool EffectItemSelect::SharedList::contains(const std::wstring& name) const {
    return index.count(name) != 0;
}

int EffectItemSelect::SharedList::getValue(const std::wstring& name) const {
    const auto found = index.find(name);
    if (found == index.end()) StdConvert::throwMissingUnorderedMapKey();
    return found->second;
}

const wchar_t* EffectItemSelect::SharedList::getName(int value) const {
    const auto found = items.find(value);
    if (found == items.end()) StdConvert::throwMissingMapKey();
    return found->second;
}

bool EffectItemSelect::SharedList::hasValue(int value) const { return items.count(value) != 0; }

int EffectItemSelect::SharedList::firstValue() const {
    if (items.empty()) StdConvert::throwMissingMapKey();
    return items.begin()->first;
}

bool EffectItemSelect::SharedList::findName(const std::wstring& name, int& value) const {
    const auto found = index.find(name);
    if (found == index.end()) return false;
    value = hasValue(found->second) ? found->second : firstValue();
    return true;
}

bool EffectItemSelect::SharedList::findLegacyNumber(const std::string& text, int& value) const {
    if (text.size() > 2) return false;
    int number = 0;
    try {
        number = StdConvert::toInt(text);
    } catch (const std::logic_error&) {
        return false;
    }
    value = hasValue(number) ? number : firstValue();
    return true;
}

void EffectItemSelect::SharedList::rebuildIndex() {
    if (index.size() == items.size()) return;
    for (const auto& [value, name] : items) index.emplace(name, value);
}

EffectItemSelect::EffectItemSelect(ItemList& items, std::wstring name, int value,
                                   std::shared_ptr<SharedList> list)
    : EffectItemSelect(items, ItemType::Select, std::move(name), value, list.get(), list) {}

EffectItemSelect::EffectItemSelect(ItemList& items, std::wstring name, int value,
                                   SharedList& list)
    : EffectItemSelect(items, ItemType::Select, std::move(name), value, &list, nullptr) {}

EffectItemSelect::EffectItemSelect(ItemList& items, std::uint8_t type, std::wstring name,
                                   int value, SharedList* list,
                                   std::shared_ptr<SharedList> listOwner)
    : EffectItem(items, type, std::move(name)),
      list(list),
      value(value),
      listOwner(std::move(listOwner)) {}

void EffectItemSelect::copyFrom(const EffectItem& other) {
    value = sameKind<EffectItemSelect>(other).value;
}

bool EffectItemSelect::equals(const EffectItem& other) const {
    return value == sameKind<EffectItemSelect>(other).value;
}

std::unique_ptr<EffectItem> EffectItemSelect::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemSelect(*this));
}

std::string EffectItemSelect::toString() const {
    return System::String::toUtf8(list->getName(value));
}

void EffectItemSelect::fromString(const std::string& text) {
    list->findName(System::String::toWide(text), value);
}

void EffectItemSelect::loadQroValue(const std::string& text, const std::wstring&, const wchar_t*,
                                    bool) {
    if (!list->findLegacyNumber(text, value)) fromString(text);
}

EffectItemSelectButton::EffectItemSelectButton(ItemList& items, std::wstring name, int value,
                                               std::shared_ptr<SharedList> list, float start,
                                               float end)
    : EffectItemSelect(items, ItemType::SelectButton, std::move(name), value, list.get(), list),
      start(start),
      end(end) {}

EffectItemSelectButton::EffectItemSelectButton(ItemList& items, std::wstring name, int value,
                                               SharedList& list, float start, float end)
    : EffectItemSelect(items, ItemType::SelectButton, std::move(name), value, &list, nullptr),
      start(start),
      end(end) {}

std::unique_ptr<EffectItem> EffectItemSelectButton::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemSelectButton(*this));
}

namespace {

EffectItemFontSelect::FontSource& fontSource() {
    static EffectItemFontSelect::FontSource source;
    return source;
}

}  // namespace

void EffectItemFontSelect::setFontSource(FontSource source) { fontSource() = std::move(source); }

EffectItemFontSelect::FontList& EffectItemFontSelect::getFontList() {
    static FontList fonts;
    static std::once_flag built;
    std::call_once(built, [] {
        std::vector<std::wstring> names;
        std::wstring defaultName;
        if (fontSource()) fontSource()(names, defaultName);
        bool defaultFound = false;
        for (std::size_t i = 0; i < names.size(); ++i) {
            fonts.list.addItem(static_cast<int>(i), names[i]);
            if (!defaultFound && names[i] == defaultName) {
                fonts.defaultIndex = static_cast<int>(i);
                defaultFound = true;
            }
        }
    });
    return fonts;
}

namespace {

int startFont(const wchar_t* fontName) {
    EffectItemFontSelect::FontList& fonts = EffectItemFontSelect::getFontList();
    int value = fonts.defaultIndex;
    // A font the effect names but this machine lacks starts at the default.
    if (fontName) fonts.list.findName(fontName, value);
    return value;
}

}  // namespace

EffectItemFontSelect::EffectItemFontSelect(ItemList& items, std::wstring name,
                                           const wchar_t* fontName)
    : EffectItemSelect(items, ItemType::FontSelect, std::move(name), startFont(fontName),
                       &getFontList().list, nullptr) {}

std::unique_ptr<EffectItem> EffectItemFontSelect::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemFontSelect(*this));
}

}  // namespace Effect
