#include "effect/item/EffectItemYUV.h"

#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "effect/base/StdConvert.h"

#include <algorithm>
#include <stdexcept>

namespace Effect {

namespace {

EffectItemYUV::ColorSpaceNames& namesSource() {
    static EffectItemYUV::ColorSpaceNames source;
    return source;
}

std::vector<std::wstring> colorSpaceNames() {
    return namesSource() ? namesSource()() : std::vector<std::wstring>{};
}

}  // namespace

void EffectItemYUV::setColorSpaceNames(ColorSpaceNames names) { namesSource() = std::move(names); }

EffectItemYUV::EffectItemYUV(ItemList& items, std::wstring name, int colorSpace, int range)
    : EffectItem(items, ItemType::YUV, std::move(name)), colorSpace(colorSpace), range(range) {}

void EffectItemYUV::copyFrom(const EffectItem& other) {
    const auto& source = sameKind<EffectItemYUV>(other);
    colorSpace = source.colorSpace;
    range = source.range;
}

bool EffectItemYUV::equals(const EffectItem& other) const {
    const auto& source = sameKind<EffectItemYUV>(other);
    return colorSpace == source.colorSpace && range == source.range;
}

std::unique_ptr<EffectItem> EffectItemYUV::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemYUV(*this));
}

std::string EffectItemYUV::toString() const {
    std::string text;
    // A position outside the table is automatic; its name reads back as 0.
    const std::vector<std::wstring> names = colorSpaceNames();
    if (colorSpace >= 1 && static_cast<std::size_t>(colorSpace) <= names.size())
        text = System::String::toUtf8(names[static_cast<std::size_t>(colorSpace) - 1]);
    else if (colorSpace != 0)
        text = "自動";
    if (range != 0) text += "," + std::to_string(range);
    return text;
}

void EffectItemYUV::fromString(const std::string& text) {
    colorSpace = 0;
    range = 0;
    if (text.empty()) return;
    const std::vector<std::string> pieces = System::String::split(text, ',');
    const std::vector<std::wstring> names = colorSpaceNames();
    const auto found = std::find(names.begin(), names.end(), System::String::toWide(pieces[0]));
    if (found != names.end()) colorSpace = static_cast<int>(found - names.begin()) + 1;
    if (pieces.size() < 2) return;
    try {
        range = StdConvert::toInt(pieces[1]);
    } catch (const std::logic_error&) {
        // A malformed second value reads as 0.
    }
}

}  // namespace Effect
