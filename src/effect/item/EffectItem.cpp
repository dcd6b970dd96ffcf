#include "effect/item/EffectItem.h"

#include "core/base/Exception.h"
#include "effect/base/StdConvert.h"

namespace Effect {

EffectItem::EffectItem(ItemList& items, std::uint8_t type, std::wstring name)
    : type(type), name(std::move(name)) {
    items.push_back(this);
}

void EffectItem::fromScriptValue(const std::string& text) { fromString(text); }

void EffectItem::loadQroValue(const std::string& value, const std::wstring&, const wchar_t*,
                              bool) {
    fromString(value);
}

const wchar_t* EffectItem::getFilePath() const { return nullptr; }

void EffectItem::setFilePath(const wchar_t*) {
    throw System::makeException("Effect::EffectItem::setFilePath", "not implement.");
}

const std::wstring& EffectItem::checkedLine(const std::wstring& text, const char* place) const {
    if (const char* fault = StdConvert::lineFault(text))
        throw System::makeExceptionFormat(place, fault, L"key=%ls", name.c_str());
    return text;
}

}  // namespace Effect
