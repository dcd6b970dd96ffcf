#pragma once
// The text window's word list: entries of a UTF-8 file, one a line,
// "label|text|suffix" (a missing suffix is empty, fields after the third
// are ignored, "\n" in text and suffix is a line break; empty lines and
// lines starting with ';' are skipped). The user's file in the data
// folder's Default folder goes before the one installed with the program.
#include <string>
#include <vector>

namespace Component {

struct WordItem {
    std::u16string label;
    std::u16string text;
    std::u16string suffix;

    bool operator==(const WordItem&) const = default;
};

std::vector<WordItem> parseWordList(const std::string& utf8);
// "default.word" of %Default%, else of %AppInstall%; empty when neither
// opens or it holds no entry.
std::vector<WordItem> loadWordList();

}  // namespace Component
