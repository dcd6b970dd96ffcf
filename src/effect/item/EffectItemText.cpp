#include "effect/item/EffectItemText.h"

#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"

#include <algorithm>

namespace Effect {

namespace {

// Text forms end at the first NUL of the stored text.
std::wstring untilNul(const std::wstring& text) { return text.substr(0, text.find(L'\0')); }

}  // namespace

EffectItemText::EffectItemText(ItemList& items, std::wstring name, std::wstring text)
    : EffectItem(items, ItemType::Text, std::move(name)), text(std::move(text)) {}

void EffectItemText::copyFrom(const EffectItem& other) {
    const auto& source = sameKind<EffectItemText>(other);
    if (source.prefixLength == 0 && source.suffixLength == 0) {
        text = source.text;
        return;
    }
    // The record's middle between this item's own prefix and suffix. Lengths
    // are bounded by this text, so a stale record cannot repeat characters.
    const std::size_t length = text.size();
    const std::size_t prefix = std::min<std::size_t>(static_cast<std::size_t>(std::max(source.prefixLength, 0)), length);
    const std::size_t suffix =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(source.suffixLength, 0)), length - prefix);
    text = text.substr(0, prefix) + source.text + text.substr(length - suffix);
}

bool EffectItemText::equals(const EffectItem& other) const {
    return text == sameKind<EffectItemText>(other).text;
}

std::unique_ptr<EffectItem> EffectItemText::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemText(*this));
}

std::string EffectItemText::toString() const {
    const std::wstring source = untilNul(text);
    std::wstring escaped;
    escaped.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const wchar_t c = source[i];
        if (c == L'\\') {
            escaped += L"\\\\";
        } else if (c == L'\r' || c == L'\n') {
            escaped += L"\\n";
            if (c == L'\r' && i + 1 < source.size() && source[i + 1] == L'\n') ++i;
        } else {
            escaped += c;
        }
    }
    return System::String::toUtf8(escaped);
}

void EffectItemText::fromString(const std::string& utf8) {
    const std::wstring source = StdConvert::toWideText(utf8);
    std::wstring result;
    result.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        const wchar_t c = source[i];
        if (c == L'\\' && i + 1 < source.size() && (source[i + 1] == L'\\' || source[i + 1] == L'n')) {
            result += source[i + 1] == L'n' ? L'\n' : L'\\';
            ++i;
        } else {
            result += c;
        }
    }
    text = std::move(result);
}

void EffectItemText::loadQroValue(const std::string& value, const std::wstring& key,
                                  const wchar_t*, bool) {
    if (key != L"text") {
        fromString(value);
        return;
    }
    std::u16string units;
    for (std::size_t i = 0; i + 4 <= value.size(); i += 4) {
        const int low = StdConvert::toInt(value.substr(i, 2), 16);
        const int high = StdConvert::toInt(value.substr(i + 2, 2), 16);
        units += static_cast<char16_t>((high << 8) | low);
    }
    text = System::String::fromUtf16(units);
}

void EffectItemText::makeDiff(EffectItemText& other) {
    const std::wstring& a = text;
    const std::wstring& b = other.text;
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
    if (prefix == a.size() && prefix == b.size()) return;
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    for (EffectItemText* item : {this, &other}) {
        item->prefixLength = static_cast<int>(prefix);
        item->suffixLength = static_cast<int>(suffix);
        item->text = item->text.substr(prefix, item->text.size() - prefix - suffix);
    }
}

EffectItemString::EffectItemString(ItemList& items, std::wstring name, std::wstring text,
                                   std::uint8_t type)
    : EffectItem(items, type, std::move(name)), text(std::move(text)) {}

void EffectItemString::copyFrom(const EffectItem& other) {
    text = sameKind<EffectItemString>(other).text;
}

bool EffectItemString::equals(const EffectItem& other) const {
    return text == sameKind<EffectItemString>(other).text;
}

std::unique_ptr<EffectItem> EffectItemString::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemString(*this));
}

std::string EffectItemString::toString() const { return System::String::toUtf8(untilNul(text)); }

void EffectItemString::fromString(const std::string& utf8) { text = StdConvert::toWideLine(utf8); }

}  // namespace Effect
