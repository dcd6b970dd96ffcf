#include "settings/text/WordList.h"

#include "core/text/StringConvert.h"
#include "effect/registry/KeyValueFile.h"

#include <optional>

namespace Component {

namespace {

std::u16string withLineBreaks(const std::u16string& field) {
    std::u16string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == u'\\' && i + 1 < field.size() && field[i + 1] == u'n') {
            out += u'\n';
            ++i;
        } else {
            out += field[i];
        }
    }
    return out;
}

}  // namespace

std::vector<WordItem> parseWordList(const std::string& utf8) {
    const std::u16string all = System::String::toUtf16(System::String::toWide(utf8));
    std::vector<WordItem> items;
    std::size_t begin = 0;
    while (begin <= all.size()) {
        std::size_t end = all.find(u'\n', begin);
        if (end == std::u16string::npos) end = all.size();
        std::u16string line = all.substr(begin, end - begin);
        begin = end + 1;
        while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n')) line.pop_back();
        if (line.empty() || line[0] == u';') continue;
        std::vector<std::u16string> fields;
        for (std::size_t from = 0;;) {
            const std::size_t bar = line.find(u'|', from);
            fields.push_back(line.substr(from, bar == std::u16string::npos ? std::u16string::npos : bar - from));
            if (bar == std::u16string::npos) break;
            from = bar + 1;
        }
        if (fields.size() < 2) continue;
        items.push_back({fields[0], withLineBreaks(fields[1]), fields.size() > 2 ? withLineBreaks(fields[2]) : u""});
    }
    return items;
}

std::vector<WordItem> loadWordList() {
    std::optional<std::string> contents = Effect::readTextFile(L"%Default%\\default.word");
    if (!contents) contents = Effect::readTextFile(L"%AppInstall%\\default.word");
    return contents ? parseWordList(*contents) : std::vector<WordItem>{};
}

}  // namespace Component
