#include "media/draw/FontManager.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/text/NaturalCompare.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"

#include <algorithm>

namespace Media {

namespace {

constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);

}  // namespace

void FontManager::registerFont(std::shared_ptr<const Platform::Font::FontCollection> collection,
                               const std::string& userLocale) {
    constexpr const char* place = "Media::FontManager::registerFont";
    if (!collection)
        throw System::makeHResultException("writeFactory->GetSystemFontCollection", place, kFail,
                                           "fontconfig cannot list the fonts");
    collection_ = std::move(collection);
    fontMap_.reserve(collection_->familyCount());
    for (std::size_t f = 0; f < collection_->familyCount(); ++f) {
        const Platform::Font::FontFamily& family = collection_->family(f);
        const bool localized = family.familyNames().find(userLocale).has_value();
        const std::wstring familyName = family.familyNames().pick(userLocale);
        for (std::size_t i = 0; i < family.fontCount(); ++i) {
            const std::shared_ptr<const Platform::Font::Font> font = family.font(i);
            // Italic and oblique faces are never offered by name.
            if (font->style != Platform::Font::Style::Normal) continue;
            const std::wstring name =
                font->win32FamilyNames.count() ? font->win32FamilyNames.pick(userLocale) : familyName;
            const int order = order_++;
            if (fontMap_.count(name)) continue;
            fontMap_.emplace(name, std::make_unique<FontDefine>(name, order, localized, font));
            System::Log::info(place, "register font [%s]%c", System::String::toAnsi(name).c_str(),
                              localized ? '*' : ' ');
        }
    }
}

std::shared_ptr<const Platform::Font::Font> FontManager::getFont(const std::wstring& name, bool bold,
                                                                 bool italic) const {
    constexpr const char* place = "Media::FontManager::getFont";
    using Platform::Font::Style;
    const auto found = fontMap_.find(name);
    if (found == fontMap_.end()) {
        if (!collection_ || collection_->familyCount() == 0)
            throw System::makeHResultException("collection->GetFontFamily", place, kFail, "no font family");
        const std::size_t index = collection_->findFamilyName(Setting::DefaultFamily).value_or(0);
        auto font = collection_->family(index).getFirstMatchingFont(bold ? 600 : 400, 5,
                                                                    italic ? Style::Italic : Style::Normal);
        if (!font) throw System::makeHResultException("family->GetFirstMatchingFont", place, kFail, "no font");
        return font;
    }
    const std::shared_ptr<const Platform::Font::Font>& font = found->second->font;
    if (!bold && !italic) return font;
    int weight = font->weight;
    if (bold) {
        weight += 200;
        if (weight >= 1000) weight = 999;
        if (weight <= 0) weight = 1;
    }
    auto matched = font->family->getFirstMatchingFont(weight, font->stretch, italic ? Style::Italic : font->style);
    if (!matched) throw System::makeHResultException("family->GetFirstMatchingFont", place, kFail, "no font");
    return matched;
}

template <class Less>
std::vector<FontDefine*> FontManager::sortedList(Less less) const {
    std::vector<FontDefine*> list;
    list.reserve(fontMap_.size());
    for (const auto& entry : fontMap_) list.push_back(entry.second.get());
    std::sort(list.begin(), list.end(), less);
    return list;
}

std::vector<FontDefine*> FontManager::getFontList() const {
    return sortedList([](const FontDefine* a, const FontDefine* b) { return a->order < b->order; });
}

std::vector<FontDefine*> FontManager::getFontListByName() const {
    return sortedList([](const FontDefine* a, const FontDefine* b) {
        return System::compareStringNatural(a->name, b->name) < 0;
    });
}

}  // namespace Media
