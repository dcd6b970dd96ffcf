#pragma once
// The system's fonts as families of faces, built once from fontconfig's
// list of scalable OpenType and TrueType faces and from each face's own name
// table, so that names keep their languages:
//
// - A family groups the faces that share a family name (WWS family, else
//   typographic family, else the legacy family of name id 1). Families are
//   ordered by that name (case-insensitive); faces by weight, stretch and
//   style.
// - Each face keeps its legacy family names (name id 1) per locale: regular
//   and bold of one family share them; a light or condensed face usually
//   has its own.
// - Weights are 1..999, stretches 1..9 and styles normal, oblique or italic,
//   on the scales text layout uses.
//
// The collection is immutable once built: any thread may read it. Fonts are
// shared objects; a matched font may carry simulations (synthetic bold or
// slant) for the face it stands for.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Platform::Font {

enum class Style { Normal = 0, Oblique = 1, Italic = 2 };

enum Simulations : unsigned {
    SimulationNone = 0,
    SimulationBold = 1,
    SimulationOblique = 2,
};

// Strings by locale name, kept in lower case ("en-us", "ja-jp").
class LocalizedStrings {
public:
    void add(std::string localeName, std::wstring text);
    // The index of the locale's string (case-insensitive), if present.
    std::optional<std::size_t> find(const std::string& localeName) const;
    std::size_t count() const { return entries_.size(); }
    const std::string& localeName(std::size_t index) const { return entries_[index].first; }
    const std::wstring& string(std::size_t index) const { return entries_[index].second; }
    // The string of the locale, else of "en-us", else the first one; empty
    // when there is none.
    std::wstring pick(const std::string& localeName) const;

private:
    std::vector<std::pair<std::string, std::wstring>> entries_;
};

class FontFamily;

// One face of a family.
struct Font {
    std::string file;
    int index = 0;  // face index in the file (named instances above 0xFFFF)
    int weight = 400;
    int stretch = 5;
    Style style = Style::Normal;
    unsigned simulations = SimulationNone;
    // Empty when the face has no legacy family name.
    LocalizedStrings win32FamilyNames;
    const FontFamily* family = nullptr;
};

class FontFamily {
public:
    const LocalizedStrings& familyNames() const { return names_; }
    std::size_t fontCount() const { return fonts_.size(); }
    std::shared_ptr<const Font> font(std::size_t index) const { return fonts_[index]; }

    // The face nearest to the request: stretch first, then style (italic
    // takes italic, then oblique, then normal), then weight as CSS font
    // matching does. A bold request (600 and above) met by a lighter face,
    // and a slanted request met by an upright one, come back with the
    // matching simulation. Null for a family without faces.
    std::shared_ptr<const Font> getFirstMatchingFont(int weight, int stretch, Style style) const;

private:
    friend class FontCollection;
    LocalizedStrings names_;
    std::vector<std::shared_ptr<Font>> fonts_;
};

class FontCollection {
public:
    // The collection of the fonts installed now, built on the first call and
    // kept; null only when fontconfig cannot list fonts at all.
    static std::shared_ptr<const FontCollection> system();

    std::size_t familyCount() const { return families_.size(); }
    const FontFamily& family(std::size_t index) const { return *families_[index]; }

    // The family with that name in any language (case-insensitive). A name
    // no family has resolves through fontconfig's aliases to the first
    // aliased family the collection has; the fallbacks fontconfig adds for
    // any name ("sans-serif", the default families) do not count.
    std::optional<std::size_t> findFamilyName(const std::wstring& name) const;

private:
    std::vector<std::unique_ptr<FontFamily>> families_;
};

// Adds the rules of a fontconfig file (aliases of family names) to the
// process's configuration. Call before the first text is laid out; false
// when the file is missing or malformed.
bool loadConfigFile(const std::string& path);

}  // namespace Platform::Font
