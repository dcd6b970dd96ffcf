#include "effect/item/LegacyTrack.h"

#include "core/text/StringUtility.h"
#include "effect/base/StdConvert.h"
#include "effect/registry/OldScript.h"

#include <vector>

namespace Effect {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

}  // namespace

std::string convertLegacyTrack(const std::string& text) {
    const std::vector<std::string> pieces = System::String::split(text, ',');
    if (pieces.size() <= 2) return text;

    const std::string& third = pieces[2];
    std::size_t from = 0;
    while (from < third.size() && isBlank(third[from])) ++from;
    std::size_t to = from;
    while (to < third.size() && third[to] != '@' && !isControl(third[to])) ++to;
    const std::size_t at = third.find('@', from);
    while (to > from && isBlank(third[to - 1])) --to;
    const int mode = StdConvert::toInt(third.substr(from, to - from));

    const int kind = mode & 15;
    std::string movement;
    if (const auto* mapped = OldScript::find("trackmode", std::to_string(kind)))
        movement = mapped->text;
    else if (at != std::string::npos)
        movement = third.substr(at + 1);
    int bits = 0;
    if (mode & 64) bits |= 1;
    if (mode & 32) bits |= 2;
    const auto* single = OldScript::find("trackmode", "SingleSection");
    if (single && kind == single->toInt(-1)) bits |= 4;

    std::string result = pieces[0] + "," + pieces[1] + "," + movement + "," + std::to_string(bits);
    if (pieces.size() >= 4) result += "|" + pieces[3];
    return result;
}

}  // namespace Effect
