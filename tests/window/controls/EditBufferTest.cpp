// The editing rules of the text edit control on its text model.
#include "window/controls/EditBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Control::EditBuffer;

// The buffer with a clipboard of its own and a record of the hooks.
class TestBuffer : public EditBuffer {
public:
    explicit TestBuffer(std::u16string initial, int caretAt = 0) {
        text = std::move(initial);
        updateTextLayout();
        setCaret(caretAt);
        anchor = caret;
    }
    std::u16string clipboard;
    bool clipboardHoldsText = true;
    bool inGroup = false;
    int edits = 0;
    int moves = 0;

protected:
    bool readClipboard(std::u16string& out) override {
        if (!clipboardHoldsText) return false;
        out = clipboard;
        return true;
    }
    void writeClipboard(const std::u16string& copied) override { clipboard = copied; }
    bool hasTabGroup() const override { return inGroup; }
    void afterEdit() override {
        EditBuffer::afterEdit();
        ++edits;
    }
    void afterMove() override { ++moves; }
};

constexpr EditBuffer::Modifiers kNone{};
constexpr EditBuffer::Modifiers kShift{true, false};
constexpr EditBuffer::Modifiers kControl{false, true};

// "a", U+1F600 as a pair, "b".
const std::u16string kPair = u"a\U0001F600b";

TEST(EditBufferTest, CaretMovesAndDeletionsNeverSplitASurrogatePair) {
    struct Case {
        const char* name;
        int caret;
        int key;        // a key, or 0 for the character below
        char16_t unit;  // a character
        std::u16string text;
        int caretAfter;
    };
    const std::vector<Case> cases = {
        {"Left from after the pair", 3, EditBuffer::KeyLeft, 0, kPair, 1},
        {"Right from before the pair", 1, EditBuffer::KeyRight, 0, kPair, 3},
        {"Backspace after the pair", 3, 0, 8, u"ab", 1},
        {"Delete before the pair", 1, EditBuffer::KeyDelete, 0, u"ab", 1},
        {"Backspace after a plain character", 1, 0, 8, u"\U0001F600b", 0},
        {"Delete at the end", 4, EditBuffer::KeyDelete, 0, kPair, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBuffer buffer(kPair, c.caret);
        EXPECT_TRUE(c.key ? buffer.editKeyDown(c.key, kNone) : buffer.editChar(c.unit, kNone));
        EXPECT_EQ(buffer.text, c.text);
        EXPECT_EQ(buffer.caret, c.caretAfter);
        EXPECT_EQ(buffer.length, static_cast<int>(c.text.size()));
    }
}

TEST(EditBufferTest, PlacingTheCaretInsideAPairStepsOverIt) {
    TestBuffer buffer(kPair);
    buffer.setCaret(2);
    EXPECT_EQ(buffer.caret, 3);
    // A text set by an owner with the caret inside a pair.
    buffer.text = u"\U0001F600";
    buffer.caret = 1;
    buffer.updateTextLayout();
    EXPECT_EQ(buffer.caret, 2);
}

TEST(EditBufferTest, CuttingOrDeletingARangeThatEndsInsideAPairTakesThePairWhole) {
    TestBuffer buffer(kPair, 0);
    buffer.selectionStart = 0;
    buffer.selectionEnd = 2;  // "a" and half the pair
    EXPECT_TRUE(buffer.editChar(24, kNone));
    EXPECT_EQ(buffer.text, u"b");
    EXPECT_EQ(buffer.clipboard, std::u16string(u"a") + char16_t(0xD83D));  // what was selected
    buffer.text = kPair;
    buffer.updateTextLayout();
    buffer.deleteText(2, 4);  // from inside the pair to the end
    EXPECT_EQ(buffer.text, u"a");
}

TEST(EditBufferTest, ShiftDeleteCutsASelectionOrDeletesBackward) {
    TestBuffer plain(u"abc", 2);
    EXPECT_TRUE(plain.editKeyDown(EditBuffer::KeyDelete, kShift));
    EXPECT_EQ(plain.text, u"ac");
    EXPECT_EQ(plain.caret, 1);
    EXPECT_TRUE(plain.clipboard.empty());

    TestBuffer selected(u"abcd", 3);
    selected.selectionStart = 1;
    selected.selectionEnd = 3;
    EXPECT_TRUE(selected.editKeyDown(EditBuffer::KeyDelete, kShift));
    EXPECT_EQ(selected.text, u"ad");
    EXPECT_EQ(selected.clipboard, u"bc");
    EXPECT_EQ(selected.caret, 1);
    EXPECT_FALSE(selected.hasSelection());
}

TEST(EditBufferTest, ControlDeleteDeletesToTheEndOfTheLine) {
    TestBuffer buffer(u"ab cd\nef", 1);
    EXPECT_TRUE(buffer.editKeyDown(EditBuffer::KeyDelete, kControl));
    EXPECT_EQ(buffer.text, u"a\nef");
    EXPECT_EQ(buffer.caret, 1);
}

TEST(EditBufferTest, SelectAllKeepsTheCaretAndShiftRightSelectsFromTheOldAnchor) {
    TestBuffer buffer(u"abcd", 2);
    EXPECT_TRUE(buffer.editChar(1, kControl));
    EXPECT_EQ(buffer.selectionStart, 0);
    EXPECT_EQ(buffer.selectionEnd, 4);
    EXPECT_EQ(buffer.caret, 2);
    EXPECT_EQ(buffer.edits, 0);
    EXPECT_TRUE(buffer.editKeyDown(EditBuffer::KeyRight, kShift));
    EXPECT_EQ(buffer.selectionStart, 2);
    EXPECT_EQ(buffer.selectionEnd, 3);
    EXPECT_EQ(buffer.moves, 1);
    EXPECT_EQ(buffer.edits, 0);  // moving is no edit
}

TEST(EditBufferTest, PastingNormalisesLineBreaksAndPassesTheFilter) {
    struct Case {
        const char* name;
        const wchar_t* filter;
        std::u16string before;
        int caret;
        std::u16string pasted;
        std::u16string after;
        int caretAfter;
    };
    const std::vector<Case> cases = {
        {"CR LF becomes one LF", nullptr, u"", 0, u"x\r\ny", u"x\ny", 3},
        {"the caret stays after the paste", nullptr, u"AB", 1, u"x\r\ny\rz", u"Ax\ny\nzB", 6},
        {"only what the filter matches", L"[0-9+-.]", u"", 0, u"12ab3", u"123", 3},
        {"nothing matches", L"[0-9+-.]", u"7", 1, u"abc", u"7", 1},
        {"pairs pass a filter that takes them", L"[^a]", u"", 0, u"a\U0001F600a", u"\U0001F600", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBuffer buffer(c.before, c.caret);
        buffer.inputFilter = c.filter;
        buffer.clipboard = c.pasted;
        EXPECT_TRUE(buffer.editChar(22, kControl));
        EXPECT_EQ(buffer.text, c.after);
        EXPECT_EQ(buffer.caret, c.caretAfter);
        EXPECT_EQ(buffer.edits, 1);
    }
}

TEST(EditBufferTest, APasteOverASelectionReplacesItAndAFailedReadChangesNothing) {
    TestBuffer buffer(u"abcd", 3);
    buffer.selectionStart = 1;
    buffer.selectionEnd = 3;
    buffer.clipboard = u"XY";
    EXPECT_TRUE(buffer.editKeyDown(EditBuffer::KeyInsert, kShift));
    EXPECT_EQ(buffer.text, u"aXYd");
    EXPECT_EQ(buffer.caret, 3);

    buffer.selectionStart = 0;
    buffer.selectionEnd = 2;
    buffer.clipboardHoldsText = false;
    EXPECT_TRUE(buffer.editChar(22, kControl));
    EXPECT_EQ(buffer.text, u"aXYd");
    EXPECT_EQ(buffer.edits, 2);  // the failed paste still ends its step
}

TEST(EditBufferTest, CopyPutsTheSelectionOnTheClipboardAndKeepsTheText) {
    TestBuffer buffer(u"hello world", 0);
    buffer.selectionStart = 6;
    buffer.selectionEnd = 11;
    EXPECT_TRUE(buffer.editKeyDown(EditBuffer::KeyInsert, kControl));
    EXPECT_EQ(buffer.clipboard, u"world");
    EXPECT_EQ(buffer.text, u"hello world");
    EXPECT_TRUE(buffer.hasSelection());
    buffer.clearSelection();
    buffer.clipboard = u"kept";
    EXPECT_TRUE(buffer.editChar(3, kControl));  // nothing selected: nothing copied
    EXPECT_EQ(buffer.clipboard, u"kept");
    EXPECT_FALSE(buffer.editKeyDown(EditBuffer::KeyInsert, kNone));
}

TEST(EditBufferTest, TypedCharactersPassTheFilterButTheSelectionGoesEitherWay) {
    TestBuffer buffer(u"abc", 3);
    buffer.inputFilter = L"[0-9+-.]";
    buffer.selectionStart = 0;
    buffer.selectionEnd = 3;
    EXPECT_TRUE(buffer.editChar(u'x', kNone));
    EXPECT_EQ(buffer.text, u"");
    EXPECT_EQ(buffer.edits, 1);
    for (char16_t unit : std::u16string(u"-1x.5,")) buffer.editChar(unit, kNone);
    EXPECT_EQ(buffer.text, u"-1.5,");  // the range "+-." takes the comma too
    EXPECT_TRUE(buffer.editChar(13, kNone));
    EXPECT_EQ(buffer.text, u"-1.5,");  // Enter is a character the filter refuses
}

TEST(EditBufferTest, EnterAndTabAreCharactersOutsideAGroup) {
    TestBuffer buffer(u"ab", 1);
    EXPECT_TRUE(buffer.editChar(13, kNone));
    EXPECT_TRUE(buffer.editChar(9, kNone));
    EXPECT_EQ(buffer.text, u"a\n\tb");
    EXPECT_TRUE(buffer.editChar(2, kNone));  // other control characters: taken, ignored
    EXPECT_EQ(buffer.text, u"a\n\tb");

    TestBuffer grouped(u"ab", 1);
    grouped.inGroup = true;  // a group that takes no Tab
    EXPECT_FALSE(grouped.editChar(9, kNone));
    EXPECT_EQ(grouped.text, u"ab");
}

TEST(EditBufferTest, HomeAndEndFollowLinesAndWithControlTheWholeText) {
    struct Case {
        int caret;
        int key;
        EditBuffer::Modifiers modifiers;
        int caretAfter;
    };
    const std::u16string text = u"one\ntwo\nthree";
    const std::vector<Case> cases = {
        {5, EditBuffer::KeyHome, kNone, 4},     {5, EditBuffer::KeyEnd, kNone, 7},
        {5, EditBuffer::KeyHome, kControl, 0},  {5, EditBuffer::KeyEnd, kControl, 13},
        {4, EditBuffer::KeyHome, kNone, 4},     {3, EditBuffer::KeyEnd, kNone, 3},
        {13, EditBuffer::KeyHome, kNone, 8},    {0, EditBuffer::KeyLeft, kNone, 0},
        {13, EditBuffer::KeyRight, kNone, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "caret " << c.caret << " key " << c.key);
        TestBuffer buffer(text, c.caret);
        EXPECT_TRUE(buffer.editKeyDown(c.key, c.modifiers));
        EXPECT_EQ(buffer.caret, c.caretAfter);
    }
    TestBuffer selecting(text, 5);
    selecting.editKeyDown(EditBuffer::KeyEnd, kShift);
    selecting.editKeyDown(EditBuffer::KeyHome, {true, true});
    EXPECT_EQ(selecting.selectionStart, 0);
    EXPECT_EQ(selecting.selectionEnd, 5);
    EXPECT_FALSE(selecting.editKeyDown(0x41, kNone));
}

TEST(EditBufferTest, ADoubleClickSelectsTheWordAndASecondOneTheLine) {
    TestBuffer buffer(u"x = foo(bar)\nnext", 0);
    buffer.selectWord(9);
    EXPECT_EQ(buffer.selectedText(), u"bar");
    buffer.selectWord(9);
    EXPECT_EQ(buffer.selectedText(), u"x = foo(bar)");
    buffer.clearSelection();
    buffer.selectWord(2);  // on a delimiter between two spaces
    EXPECT_FALSE(buffer.hasSelection());
    buffer.selectWord(15);
    EXPECT_EQ(buffer.selectedText(), u"next");
    TestBuffer japanese(u"日本語 text", 0);  // characters above U+00FF never delimit
    japanese.selectWord(1);
    EXPECT_EQ(japanese.selectedText(), u"日本語");
}

TEST(EditBufferTest, AnInputMethodResultReplacesTheSelection) {
    TestBuffer buffer(u"abc", 2);
    buffer.selectionStart = 1;
    buffer.selectionEnd = 2;
    buffer.editString(u"漢字\U00020B9F");
    EXPECT_EQ(buffer.text, u"a漢字\U00020B9Fc");
    EXPECT_EQ(buffer.caret, 5);
    EXPECT_FALSE(buffer.hasSelection());
}

TEST(EditBufferTest, PositionsConvertBetweenUnitsAndCodePoints) {
    TestBuffer buffer(u"a\U0001F600b\U0001F600", 0);
    const std::vector<std::pair<int, int>> units = {{0, 0}, {1, 1}, {3, 2}, {4, 3}, {6, 4}};
    for (auto [unit, point] : units) {
        EXPECT_EQ(buffer.toCodePoint(unit), point) << unit;
        EXPECT_EQ(buffer.fromCodePoint(point), unit) << point;
    }
    EXPECT_EQ(buffer.wideText().size(), 4u);
}

TEST(EditBufferTest, AFilterThatDoesNotCompileTakesNothing) {
    TestBuffer buffer(u"", 0);
    buffer.inputFilter = L"[0-9";
    EXPECT_TRUE(buffer.editChar(u'1', kNone));
    buffer.clipboard = u"123";
    buffer.editChar(22, kControl);
    EXPECT_EQ(buffer.text, u"");
}

}  // namespace
