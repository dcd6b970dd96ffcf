#include "platform/font/FontCollection.h"

#include "core/text/StringConvert.h"
#include "platform/font/FreeType.h"
#include "platform/icu/Locale.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <map>
#include <set>

namespace Platform::Font {

namespace {

constexpr const char* kEnglish = "en-us";

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::wstring lowerWide(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

// --- name tables -------------------------------------------------------

enum NameId { LegacyFamily = 1, TypographicFamily = 16, WwsFamily = 21 };

struct FaceNames {
    LocalizedStrings legacy;
    LocalizedStrings typographic;
    LocalizedStrings wws;

    LocalizedStrings* of(unsigned id) {
        switch (id) {
            case LegacyFamily: return &legacy;
            case TypographicFamily: return &typographic;
            case WwsFamily: return &wws;
            default: return nullptr;
        }
    }
};

std::wstring fromUtf16BigEndian(const FT_Byte* bytes, FT_UInt length) {
    std::u16string units;
    for (FT_UInt i = 0; i + 1 < length; i += 2)
        units.push_back(static_cast<char16_t>((bytes[i] << 8) | bytes[i + 1]));
    return System::String::fromUtf16(units);
}

// Macintosh Roman names of old fonts: their ASCII part is all we read.
std::wstring fromMacRoman(const FT_Byte* bytes, FT_UInt length) {
    std::wstring text;
    for (FT_UInt i = 0; i < length; ++i) text.push_back(bytes[i] < 0x80 ? bytes[i] : L'?');
    return text;
}

FaceNames readNames(FT_Face face) {
    FaceNames names;
    FaceNames macEnglish;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0) continue;
        LocalizedStrings* target = names.of(name.name_id);
        if (!target) continue;
        if (name.platform_id == TT_PLATFORM_MICROSOFT &&
            (name.encoding_id == TT_MS_ID_UNICODE_CS || name.encoding_id == TT_MS_ID_UCS_4)) {
            const std::string locale = lowerAscii(Icu::localeNameFromLcid(name.language_id));
            if (locale.empty() || target->find(locale)) continue;
            target->add(locale, fromUtf16BigEndian(name.string, name.string_len));
        } else if (name.platform_id == TT_PLATFORM_MACINTOSH && name.encoding_id == TT_MAC_ID_ROMAN &&
                   name.language_id == TT_MAC_LANGID_ENGLISH) {
            LocalizedStrings* mac = macEnglish.of(name.name_id);
            if (!mac->find(kEnglish)) mac->add(kEnglish, fromMacRoman(name.string, name.string_len));
        }
    }
    for (unsigned id : {LegacyFamily, TypographicFamily, WwsFamily})
        if (names.of(id)->count() == 0) *names.of(id) = *macEnglish.of(id);
    return names;
}

// --- weight, stretch, style ---------------------------------------------

int stretchFromFcWidth(int width) {
    static constexpr double kWidths[] = {50, 62.5, 75, 87.5, 100, 112.5, 125, 150, 200};
    int best = 5;
    double distance = 1e9;
    for (int i = 0; i < 9; ++i) {
        if (std::abs(kWidths[i] - width) < distance) {
            distance = std::abs(kWidths[i] - width);
            best = i + 1;
        }
    }
    return best;
}

void readStyle(FcPattern* pattern, FT_Face face, bool namedInstance, Font& font) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && !namedInstance) {
        font.weight = std::clamp<int>(os2->usWeightClass, 1, 999);
        font.stretch = std::clamp<int>(os2->usWidthClass, 1, 9);
        font.style = (os2->fsSelection & (1u << 9)) ? Style::Oblique
                     : (os2->fsSelection & 1u)      ? Style::Italic
                                                    : Style::Normal;
        return;
    }
    double weight = FC_WEIGHT_REGULAR;
    int width = FC_WIDTH_NORMAL;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetDouble(pattern, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(pattern, FC_WIDTH, 0, &width);
    FcPatternGetInteger(pattern, FC_SLANT, 0, &slant);
    font.weight = std::clamp(static_cast<int>(std::lround(FcWeightToOpenTypeDouble(weight))), 1, 999);
    font.stretch = stretchFromFcWidth(width);
    font.style = slant == FC_SLANT_ITALIC ? Style::Italic : slant == FC_SLANT_OBLIQUE ? Style::Oblique : Style::Normal;
}

// --- fontconfig -----------------------------------------------------------

bool patternBool(FcPattern* pattern, const char* object, bool fallback) {
    FcBool value = fallback ? FcTrue : FcFalse;
    FcPatternGetBool(pattern, object, 0, &value);
    return value == FcTrue;
}

// The families fontconfig puts in place of a requested one, in order,
// without the requested name itself.
std::vector<std::wstring> substitutedFamilies(const std::wstring& name) {
    std::vector<std::wstring> families;
    FcPattern* pattern = FcPatternCreate();
    const std::string utf8 = System::String::toUtf8(name);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcChar8* family = nullptr;
    for (int i = 1; FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch; ++i)
        families.push_back(System::String::toWide(reinterpret_cast<const char*>(family)));
    FcPatternDestroy(pattern);
    return families;
}

struct FaceRecord {
    std::string familyKey;
    LocalizedStrings familyNames;
    std::shared_ptr<Font> font;
};

bool readFace(FcPattern* pattern, FaceRecord& record) {
    FcChar8* file = nullptr;
    FcChar8* format = nullptr;
    int index = 0;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch) return false;
    FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
    // Whole variable fonts come again as their named instances.
    if (patternBool(pattern, FC_VARIABLE, false) || !patternBool(pattern, FC_OUTLINE, true)) return false;
    if (FcPatternGetString(pattern, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
    const std::string formatName = reinterpret_cast<const char*>(format);
    if (formatName != "TrueType" && formatName != "CFF") return false;

    FT_Face face = nullptr;
    if (openFace(reinterpret_cast<const char*>(file), index, &face) != 0) return false;
    bool usable = FT_IS_SFNT(face);
    if (usable) {
        FaceNames names = readNames(face);
        auto font = std::make_shared<Font>();
        font->file = reinterpret_cast<const char*>(file);
        font->index = index;
        readStyle(pattern, face, index > 0xFFFF, *font);
        font->win32FamilyNames = names.legacy;
        record.familyNames = names.wws.count()           ? names.wws
                             : names.typographic.count() ? names.typographic
                                                         : names.legacy;
        usable = record.familyNames.count() > 0;
        record.familyKey = System::String::toUtf8(lowerWide(record.familyNames.pick(kEnglish)));
        record.font = std::move(font);
    }
    closeFace(face);
    return usable;
}

// CSS font matching of weights: the distance order of a candidate.
int weightRank(int wanted, int weight) {
    if (weight == wanted) return 0;
    if (wanted >= 400 && wanted <= 500) {
        if (weight > wanted && weight <= 500) return weight - wanted;
        if (weight < wanted) return 1000 + (wanted - weight);
        return 2000 + (weight - wanted);
    }
    if (wanted < 400) return weight < wanted ? wanted - weight : 1000 + (weight - wanted);
    return weight > wanted ? weight - wanted : 1000 + (wanted - weight);
}

int styleRank(Style wanted, Style style) {
    static constexpr int kOrder[3][3] = {
        // normal, oblique, italic offered
        {0, 1, 2},  // normal wanted
        {2, 0, 1},  // oblique wanted
        {2, 1, 0},  // italic wanted
    };
    return kOrder[static_cast<int>(wanted)][static_cast<int>(style)];
}

int stretchRank(int wanted, int stretch) {
    if (stretch == wanted) return 0;
    // Narrower first at or below normal, wider first above it.
    const bool preferNarrow = wanted <= 5;
    const bool narrower = stretch < wanted;
    const int distance = std::abs(stretch - wanted);
    return (narrower == preferNarrow ? 0 : 10) + distance;
}

}  // namespace

void LocalizedStrings::add(std::string localeName, std::wstring text) {
    entries_.emplace_back(lowerAscii(std::move(localeName)), std::move(text));
}

std::optional<std::size_t> LocalizedStrings::find(const std::string& localeName) const {
    const std::string wanted = lowerAscii(localeName);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].first == wanted) return i;
    return std::nullopt;
}

std::wstring LocalizedStrings::pick(const std::string& localeName) const {
    if (auto found = find(localeName)) return entries_[*found].second;
    if (auto found = find(kEnglish)) return entries_[*found].second;
    return entries_.empty() ? std::wstring() : entries_.front().second;
}

std::shared_ptr<const Font> FontFamily::getFirstMatchingFont(int weight, int stretch, Style style) const {
    const Font* best = nullptr;
    std::tuple<int, int, int> bestRank;
    for (const auto& font : fonts_) {
        const std::tuple<int, int, int> rank{stretchRank(stretch, font->stretch), styleRank(style, font->style),
                                             weightRank(weight, font->weight)};
        if (!best || rank < bestRank) {
            best = font.get();
            bestRank = rank;
        }
    }
    if (!best) return nullptr;
    auto matched = std::make_shared<Font>(*best);
    if (weight >= 600 && best->weight < 600) matched->simulations |= SimulationBold;
    if (style != Style::Normal && best->style == Style::Normal) matched->simulations |= SimulationOblique;
    return matched;
}

std::shared_ptr<const FontCollection> FontCollection::system() {
    static const std::shared_ptr<const FontCollection> collection = []() -> std::shared_ptr<const FontCollection> {
        if (!FcInit()) return nullptr;
        FcPattern* pattern = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_WEIGHT, FC_WIDTH, FC_SLANT, FC_FONTFORMAT,
                                                FC_VARIABLE, FC_OUTLINE, nullptr);
        FcFontSet* set = FcFontList(nullptr, pattern, objects);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
        if (!set) return nullptr;

        auto made = std::make_shared<FontCollection>();
        std::map<std::string, std::unique_ptr<FontFamily>> families;
        std::set<std::pair<std::string, int>> seen;
        for (int i = 0; i < set->nfont; ++i) {
            FaceRecord record;
            if (!readFace(set->fonts[i], record)) continue;
            if (!seen.emplace(record.font->file, record.font->index).second) continue;
            auto& family = families[record.familyKey];
            if (!family) {
                family = std::make_unique<FontFamily>();
                family->names_ = record.familyNames;
            }
            family->fonts_.push_back(std::move(record.font));
        }
        FcFontSetDestroy(set);

        for (auto& [key, family] : families) {
            std::sort(family->fonts_.begin(), family->fonts_.end(), [](const auto& a, const auto& b) {
                return std::tie(a->weight, a->stretch, a->style, a->file, a->index) <
                       std::tie(b->weight, b->stretch, b->style, b->file, b->index);
            });
            for (auto& font : family->fonts_) font->family = family.get();
            made->families_.push_back(std::move(family));
        }
        return made;
    }();
    return collection;
}

std::optional<std::size_t> FontCollection::findFamilyName(const std::wstring& name) const {
    const auto findExact = [this](const std::wstring& wanted) -> std::optional<std::size_t> {
        const std::wstring lower = lowerWide(wanted);
        for (std::size_t i = 0; i < families_.size(); ++i) {
            const LocalizedStrings& names = families_[i]->names_;
            for (std::size_t n = 0; n < names.count(); ++n)
                if (lowerWide(names.string(n)) == lower) return i;
        }
        return std::nullopt;
    };
    if (auto found = findExact(name)) return found;
    // What fontconfig adds for any unknown name ends both lists: fallback,
    // not alias.
    std::vector<std::wstring> families = substitutedFamilies(name);
    std::vector<std::wstring> fallbacks = substitutedFamilies(L"movane2 no such family");
    while (!families.empty() && !fallbacks.empty() && families.back() == fallbacks.back()) {
        families.pop_back();
        fallbacks.pop_back();
    }
    for (const std::wstring& family : families)
        if (auto found = findExact(family)) return found;
    return std::nullopt;
}

bool loadConfigFile(const std::string& path) {
    if (!FcInit()) return false;
    return FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str()), FcFalse) ==
           FcTrue;
}

}  // namespace Platform::Font
