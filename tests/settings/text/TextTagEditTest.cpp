// The text window's tag shortcuts on an edit buffer: what Ctrl+Space
// offers at the caret, the snippets a menu inserts and the position and
// size nudges, with every expected text written out by hand.
#include "settings/text/TextTagEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Component::TextTagEdit;

void set(Control::EditBuffer& b, const std::u16string& text, int start, int end) {
    b.text = text;
    b.length = static_cast<int>(text.size());
    b.selectionStart = start;
    b.selectionEnd = end;
    b.anchor = start;
    b.caret = end;
}

std::string narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(TextTagEdit, CtrlSpaceOffersColoursFontsOrTheWordsByWhereTheCaretIs) {
    struct Case {
        std::u16string text;
        int caret;
        MenuChoice::Kind kind;
        int start, end;  // the field offered (colours and fonts)
    };
    const Case cases[] = {
        {u"a<#ff0000>b", 1, MenuChoice::Words, 0, 0},           // just before '<'
        {u"<#ff0000,00ff00>x", 3, MenuChoice::Colors, 2, 8},     // first field
        {u"<#ff0000,00ff00>x", 12, MenuChoice::Colors, 9, 15},   // second field
        {u"<#ff0000,00ff00>x", 15, MenuChoice::Colors, 9, 15},   // just before '>'
        {u"<#ff0000,00ff00>x", 9, MenuChoice::Colors, 9, 15},    // just after ','
        {u"<#a,b,c>", 6, MenuChoice::Words, 0, 0},               // a third field
        {u"<#>", 2, MenuChoice::Colors, 2, 2},                   // an empty field
        {u"<s30,Serif,B>", 3, MenuChoice::Words, 0, 0},          // a size tag's size
        {u"<s30,Serif,B>", 7, MenuChoice::Fonts, 5, 10},         // its font
        {u"<s30,Serif,B>", 11, MenuChoice::Words, 0, 0},         // its style
        {u"<@Serif>", 4, MenuChoice::Fonts, 2, 7},
        {u"<p+1,+0>", 3, MenuChoice::Words, 0, 0},               // no menu of its own
        {u"<#ff\n00>", 3, MenuChoice::Words, 0, 0},              // a tag never spans a line
        {u"<#ff0000>abc", 10, MenuChoice::Words, 0, 0},          // after the tag
        {u"<#ff0000", 4, MenuChoice::Words, 0, 0},               // never closed
    };
    for (const Case& c : cases) {
        const MenuChoice choice = chooseMenu(c.text, c.caret);
        EXPECT_EQ(choice.kind, c.kind) << narrow(c.text) << " at " << c.caret;
        if (c.kind == MenuChoice::Words) continue;
        EXPECT_EQ(choice.start, c.start) << narrow(c.text) << " at " << c.caret;
        EXPECT_EQ(choice.end, c.end) << narrow(c.text) << " at " << c.caret;
    }
}

TEST(TextTagEdit, NudgesWrapTheSelectionInRelativeTagsAndStepThem) {
    enum Op { Left, Right, Up, Down, Bigger, Smaller };
    struct Case {
        std::u16string text;
        int start, end;
        std::vector<Op> keys;
        std::u16string expected;
        int expectedStart, expectedEnd;
    };
    const Case cases[] = {
        {u"abc", 0, 3, {Right}, u"<p+1,+0>abc<p-1,+0>", 8, 11},
        {u"abc", 0, 3, {Right, Right}, u"<p+2,+0>abc<p-2,+0>", 8, 11},
        {u"abc", 0, 3, {Down, Up, Up}, u"<p+0,-1>abc<p+0,+1>", 8, 11},
        {u"<p+3,+0>abc<p-3,+0>", 8, 11, {Left}, u"<p+2,+0>abc<p-2,+0>", 8, 11},
        // The tag grows by a character: the selection follows it.
        {u"x<p+9,+0>abc<p-9,+0>", 9, 12, {Right}, u"x<p+10,+0>abc<p-10,+0>", 10, 13},
        // Absolute values are kept; nothing new goes before them.
        {u"<p100,50>abc", 9, 12, {Right}, u"<p100,50>abc<p-1,+0>", 9, 12},
        {u"xabcy", 1, 4, {Bigger}, u"x<s+1>abc<s-1>y", 6, 9},
        {u"xabcy", 1, 4, {Bigger, Bigger, Smaller, Smaller, Smaller}, u"x<s-1>abc<s+1>y", 6, 9},
        // A size tag before the selection is no position tag.
        {u"<s+2>abc", 5, 8, {Left}, u"<s+2><p-1,+0>abc<p+1,+0>", 13, 16},
        // No selection: nothing.
        {u"abc", 0, 0, {Left, Bigger}, u"abc", 0, 0},
    };
    for (const Case& c : cases) {
        Control::EditBuffer b;
        set(b, c.text, c.start, c.end);
        for (Op key : c.keys) {
            switch (key) {
            case Left: nudgePosition(b, -1, 0); break;
            case Right: nudgePosition(b, 1, 0); break;
            case Up: nudgePosition(b, 0, -1); break;
            case Down: nudgePosition(b, 0, 1); break;
            case Bigger: nudgeSize(b, 1); break;
            case Smaller: nudgeSize(b, -1); break;
            }
        }
        EXPECT_EQ(narrow(b.text), narrow(c.expected)) << narrow(c.text);
        EXPECT_EQ(b.length, static_cast<int>(c.expected.size())) << narrow(c.text);
        EXPECT_EQ(b.selectionStart, c.expectedStart) << narrow(c.text);
        EXPECT_EQ(b.selectionEnd, c.expectedEnd) << narrow(c.text);
    }
}

TEST(TextTagEdit, SnippetsWrapTheSelectionAndSelectWhatWasInserted) {
    struct Case {
        std::u16string text;
        int start, end, caret;
        std::u16string snippet, suffix;
        std::u16string expected;
        int expectedStart, expectedEnd;
    };
    const Case cases[] = {
        // A tag with a suffix around the selection: its parameters selected.
        {u"abc", 0, 3, 3, u"<#ff0000>", u"<#>", u"<#ff0000>abc<#>", 2, 8},
        // Without a selection the suffix is left out and the text selected.
        {u"ab", 0, 0, 1, u"XY", u"Z", u"aXYb", 1, 3},
        {u"ab", 0, 0, 2, u"1\n2", u"", u"ab1\n2", 2, 5},
        {u"", 0, 0, 0, u"<s40>", u"", u"<s40>", 2, 4},
        // Not a tag letter: the whole text is selected.
        {u"", 0, 0, 0, u"<x1>", u"", u"<x1>", 0, 4},
    };
    for (const Case& c : cases) {
        Control::EditBuffer b;
        set(b, c.text, c.start, c.end);
        b.caret = c.caret;
        insertSnippet(b, c.snippet, c.suffix);
        EXPECT_EQ(narrow(b.text), narrow(c.expected)) << narrow(c.snippet);
        EXPECT_EQ(b.selectionStart, c.expectedStart) << narrow(c.snippet);
        EXPECT_EQ(b.selectionEnd, c.expectedEnd) << narrow(c.snippet);
    }
}

TEST(TextTagEdit, AChosenColourOrFontReplacesTheSelectedField) {
    Control::EditBuffer b;
    set(b, u"<#ff0000,00ff00>x", 9, 15);
    ASSERT_TRUE(replaceSelection(b, u"123abc"));
    EXPECT_EQ(narrow(b.text), "<#ff0000,123abc>x");
    EXPECT_EQ(b.selectionStart, 9);
    EXPECT_EQ(b.selectionEnd, 15);

    set(b, u"<s30,Old>", 5, 8);
    ASSERT_TRUE(replaceSelection(b, u"New Font"));
    EXPECT_EQ(narrow(b.text), "<s30,New Font>");
    // An empty field takes nothing.
    set(b, u"<#>", 2, 2);
    EXPECT_FALSE(replaceSelection(b, u"ffffff"));
    EXPECT_EQ(narrow(b.text), "<#>");
}

}  // namespace
