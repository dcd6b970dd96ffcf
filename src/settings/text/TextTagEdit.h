#pragma once
// The text window's work on the inline tags of a text object's text
// ("<#ff0000>", "<s30,Font>", "<p+4,-2>"...): finding the tag around an
// index, choosing what Ctrl+Space offers there, inserting snippets and
// wrapping the selection in relative position and size tags. Pure edits
// of an edit buffer: the caller lays the text out and stores it.
#include "window/controls/EditBuffer.h"

#include <optional>
#include <string>

namespace Component::TextTagEdit {

// A tag: '<' at start, '>' at end, the letter after '<'; its fields lie
// between the letter and '>', separated by ','.
struct Tag {
    int start = 0;
    int end = 0;
    char16_t letter = 0;
};
// The tag around index; a tag never spans a control character or a line.
std::optional<Tag> findTag(const std::u16string& text, int index);

// The field of a tag holding position: its number (the commas before it)
// and its range.
struct Field {
    int number = 0;
    int start = 0;
    int end = 0;
};
Field fieldAt(const std::u16string& text, const Tag& tag, int position);
// Field n of the tag (the last when there are fewer).
Field fieldNumber(const std::u16string& text, const Tag& tag, int n);

// What Ctrl+Space offers at the caret: the preset colours for a colour
// tag's first two fields, the fonts for the font field of an '@' or size
// tag, else the word list. For the first two, the field to replace.
struct MenuChoice {
    enum Kind { Words, Colors, Fonts } kind = Words;
    int start = 0;
    int end = 0;
};
MenuChoice chooseMenu(const std::u16string& text, int caret);

// Adds delta to field n of the tag around index when its letter is letter
// and the field is a signed integer ("+3", "-12"); the change of length.
int addTagValue(std::u16string& text, char16_t letter, int n, int delta, int index);

// Inserts text at the selection start (suffix at its end) or at the caret
// without a selection; the inserted text is selected afterwards, or a
// tag's parameters when text is one tag.
void insertSnippet(Control::EditBuffer& buffer, const std::u16string& text, const std::u16string& suffix);
// Replaces the selection (a tag field) by text, as a menu choice does;
// false (nothing changed) when nothing is selected.
bool replaceSelection(Control::EditBuffer& buffer, const std::u16string& text);

// Wraps the selection in "<p+0,+0>" tags (or steps the ones already
// there) so that it moves by (dx, dy) while the text after it stays;
// false without a selection.
bool nudgePosition(Control::EditBuffer& buffer, int dx, int dy);
// The same with "<s+0>" tags and the size.
bool nudgeSize(Control::EditBuffer& buffer, int d);

}  // namespace Component::TextTagEdit
