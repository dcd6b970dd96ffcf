// The word list file: its lines become menu entries by the file's rules,
// and the user's list in the Default folder goes before the installed one.
#include "settings/text/WordList.h"

#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Component::WordItem;

TEST(WordList, LinesBecomeEntriesByTheFileRules) {
    const std::string file =
        "; a comment\r\n"
        "\r\n"
        "赤|<#ff0000>|<#>\r\n"
        "改行|a\\nb\n"
        "only a label\n"
        "four|x|y|z\n"
        "empty text||\n"
        " spaced | a | b \n"
        "label\\n|t\\n|s\\n";
    const std::vector<WordItem> expected = {
        {u"赤", u"<#ff0000>", u"<#>"},
        {u"改行", u"a\nb", u""},
        {u"four", u"x", u"y"},
        {u"empty text", u"", u""},
        {u" spaced ", u" a ", u" b "},
        {u"label\\n", u"t\n", u"s\n"},
    };
    EXPECT_EQ(Component::parseWordList(file), expected);
    EXPECT_TRUE(Component::parseWordList("").empty());
}

}  // namespace
