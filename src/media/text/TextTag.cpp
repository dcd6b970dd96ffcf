#include "media/text/TextTag.h"

#include <cwchar>
#include <regex>
#include <stdexcept>

namespace Media {

namespace {

using Match = std::wcmatch;

bool present(const Match& m, std::size_t group) { return m[group].matched; }
std::wstring text(const Match& m, std::size_t group) { return m[group].str(); }

float readFloat(const std::wstring& s) { return std::stof(s); }
double readDouble(const std::wstring& s) { return std::stod(s); }

// "+x" and "-x" are relative to the pen, anything else replaces it.
TextTag::Coordinate coordinate(const std::wstring& s) {
    return {readFloat(s), !s.empty() && (s[0] == L'+' || s[0] == L'-')};
}

bool matchColor(const Match& m, TextTag& tag) {
    if (present(m, 1)) tag.textColor = text(m, 1);
    if (present(m, 2)) tag.decorationColor = text(m, 2);
    return true;
}

bool matchFont(const Match& m, TextTag& tag) {
    if (present(m, 1)) tag.fontName = text(m, 1);
    return true;
}

bool matchSize(const Match& m, TextTag& tag) {
    if (present(m, 1)) {
        const std::wstring s = text(m, 1);
        if (s[0] == L'*') {
            tag.sizeMode = TextTag::SizeMode::Multiply;
            tag.size = readFloat(s.substr(1));
        } else {
            tag.sizeMode = (s[0] == L'+' || s[0] == L'-') ? TextTag::SizeMode::Add : TextTag::SizeMode::Absolute;
            tag.size = readFloat(s);
        }
    }
    if (present(m, 2)) tag.fontName = text(m, 2);
    if (present(m, 3)) tag.style = text(m, 3);
    if (present(m, 4)) tag.decorationWidth = readFloat(text(m, 4));
    return true;
}

bool matchPosition(const Match& m, TextTag& tag) {
    if (!present(m, 1) || !present(m, 2)) return false;
    tag.x = coordinate(text(m, 1));
    tag.y = coordinate(text(m, 2));
    if (present(m, 3)) tag.z = coordinate(text(m, 3));
    return true;
}

bool matchSpeed(const Match& m, TextTag& tag) {
    if (present(m, 1)) tag.value = readDouble(text(m, 1));
    return true;
}

// Wait and clear: "*x" waits x seconds per character.
bool matchWait(const Match& m, TextTag& tag) {
    if (!present(m, 1)) return true;
    const std::wstring s = text(m, 1);
    tag.proportional = s[0] == L'*';
    tag.value = readDouble(tag.proportional ? s.substr(1) : s);
    return true;
}

struct Pattern {
    wchar_t lead;
    TextTag::Kind kind;
    const wchar_t* expression;
    bool (*read)(const Match&, TextTag&);
};

const Pattern kPatterns[] = {
    {L'#', TextTag::Kind::Color, L"^#([^,>]*)?(?:,([^,>]*))?>", matchColor},
    {L'@', TextTag::Kind::Font, L"^@([^>]*)?>", matchFont},
    {L's', TextTag::Kind::Size, L"^s([*+-]?[0-9.]+)?(?:,([^,>]*))?(?:,([BIS]*))?(?:,([0-9.]+))?>", matchSize},
    {L'p', TextTag::Kind::Position, L"^p([+-]?[0-9.]+)?(?:,([+-]?[0-9.]+))?(?:,([+-]?[0-9.]+))?>", matchPosition},
    {L'r', TextTag::Kind::Speed, L"^r([0-9.]+)?>", matchSpeed},
    {L'w', TextTag::Kind::Wait, L"^w([*]?[0-9.]+)>", matchWait},
    {L'c', TextTag::Kind::Clear, L"^c([*]?[0-9.]+)?>", matchWait},
};

const std::wregex& expressionOf(std::size_t index) {
    static const std::wregex expressions[] = {
        std::wregex(kPatterns[0].expression), std::wregex(kPatterns[1].expression),
        std::wregex(kPatterns[2].expression), std::wregex(kPatterns[3].expression),
        std::wregex(kPatterns[4].expression), std::wregex(kPatterns[5].expression),
        std::wregex(kPatterns[6].expression),
    };
    static_assert(std::size(expressions) == std::size(kPatterns));
    return expressions[index];
}

}  // namespace

std::optional<TextTag> TextTag::match(const wchar_t* start) {
    if (!start || *start == 0) return std::nullopt;
    std::size_t index = 0;
    while (index < std::size(kPatterns) && kPatterns[index].lead != *start) ++index;
    if (index == std::size(kPatterns)) return std::nullopt;
    // No group may hold ">", so a tag always ends at the first one.
    std::size_t length = 1;
    while (length < maxLength && start[length] != 0 && start[length] != L'>') ++length;
    if (start[length] != L'>') return std::nullopt;
    ++length;

    try {
        Match m;
        if (!std::regex_match(start, start + length, m, expressionOf(index))) return std::nullopt;
        TextTag tag;
        tag.kind = kPatterns[index].kind;
        tag.length = length;
        if (!kPatterns[index].read(m, tag)) return std::nullopt;
        return tag;
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    } catch (const std::regex_error&) {
    }
    return std::nullopt;
}

}  // namespace Media
