// The text edit control in an owner: focus and Tab cycling between real
// controls, scrolling, vertical moves, and what it draws.
#include "ControlFixture.h"
#include "window/controls/EditControl.h"

#include <cmath>
#include <vector>

namespace {

using Control::EditControl;

class EditControlTest : public ControlTest::ControlFixture {
protected:
    // The owner's area, and so the edit's rectangle.
    void place(int x, int y, int width, int height) {
        source = {x, y, width, height};
        owner->updateLayout();
    }
    static void setText(EditControl& edit, const std::u16string& text, int caret) {
        edit.text = text;
        edit.updateTextLayout();
        edit.setCaret(caret);
        edit.anchor = edit.caret;
        edit.updateScroll();
    }
};

TEST_F(EditControlTest, TabMovesTheFocusThroughTheGroupAndSkipsHiddenMembers) {
    auto group = std::make_shared<Control::EditFocusGroup::Members>();
    EditControl a(*owner), b(*owner), c(*owner);
    for (EditControl* e : {&a, &b, &c}) e->setFocusGroup(group);
    a.setGroupFocus(true);
    ASSERT_EQ(service().focus, &a);
    EXPECT_TRUE(a.procChar(9));
    EXPECT_EQ(service().focus, &b);
    EXPECT_FALSE(a.focus);
    EXPECT_TRUE(b.focus);
    c.visible = false;
    EXPECT_TRUE(b.procChar(9));  // c cannot take it: on to a
    EXPECT_EQ(service().focus, &a);
    EXPECT_TRUE(a.text.empty());
    EXPECT_TRUE(b.text.empty());

    // A group of one takes no Tab and inserts nothing.
    EditControl alone(*owner);
    alone.setFocusGroup(std::make_shared<Control::EditFocusGroup::Members>());
    alone.setGroupFocus(true);
    EXPECT_FALSE(alone.procChar(9));
    EXPECT_TRUE(alone.text.empty());
    // Without a group Tab is a character.
    EditControl free(*owner);
    free.setGroupFocus(true);
    EXPECT_TRUE(free.procChar(9));
    EXPECT_EQ(free.text, u"\t");
}

TEST_F(EditControlTest, KeysReachOnlyAFocusedEditAndOnKeyDownSeesThemFirst) {
    EditControl edit(*owner);
    EXPECT_FALSE(edit.procChar(u'a'));
    edit.setGroupFocus(true);
    std::vector<int> seen;
    edit.onKeyDown = [&](int key) {
        seen.push_back(key);
        return key == 0x0D;  // the owner takes Enter
    };
    int changes = 0;
    edit.onChange = [&](EditControl&) { ++changes; };
    for (char16_t unit : std::u16string(u"abc")) EXPECT_TRUE(edit.procChar(unit));
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(edit.procKeyDown(0x0D));
    EXPECT_TRUE(edit.procChar(13));  // the Enter's character goes with it
    EXPECT_EQ(edit.text, u"abc");
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyLeft));
    EXPECT_EQ(edit.caret, 2);
    EXPECT_EQ(changes, 3);  // moving is no change
    EXPECT_EQ(seen, (std::vector<int>{0x0D, EditControl::KeyLeft}));
    edit.procKillFocus(nullptr);
    EXPECT_FALSE(edit.caretTimer.isSet());
}

TEST_F(EditControlTest, ScrollingKeepsTheCaretInsideAndCentresShortText) {
    place(10, 10, 60, 24);
    EditControl edit(*owner);
    setText(edit, u"a rather long line of text for a narrow box", 0);
    EXPECT_EQ(edit.scrollX, 0);
    setText(edit, edit.text, static_cast<int>(edit.text.size()));
    EXPECT_GT(edit.scrollX, 0);
    // The caret's place, scrolled, lies within the inner area.
    const auto c = edit.textLayout.caretAt(edit.caret);
    EXPECT_LE(c.left - edit.scrollX, 60 - 8);
    EXPECT_GE(c.left - edit.scrollX, 0);
    // Never further than the text's end and half a margin.
    const int mx = std::min(60 / 4, 2 * static_cast<int>(std::ceil(edit.textFormat->getLineHeight())));
    EXPECT_LE(edit.scrollX, mx / 2 + edit.textWidth - (60 - 8));

    place(10, 10, 200, 40);
    edit.centerX = edit.centerY = true;
    setText(edit, u"12", 2);
    EXPECT_LT(edit.scrollX, 0);
    EXPECT_EQ(edit.scrollX, (edit.textWidth - (200 - 8)) / 2);
    EXPECT_EQ(edit.scrollY, (edit.textHeight - (40 - 8)) / 2);
}

TEST_F(EditControlTest, VerticalMovesFollowLinesAndAPageOfALowEditIsOneLine) {
    place(0, 0, 200, 20);
    EditControl edit(*owner);
    edit.setGroupFocus(true);
    setText(edit, u"first\nsecond\nthird\nfourth", 23);  // the end of "fourth"
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyPageUp));
    EXPECT_EQ(edit.lineStart(edit.caret), 13);  // "third"
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyUp));
    EXPECT_EQ(edit.lineStart(edit.caret), 6);
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyUp));
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyUp));  // on the first line: stays
    EXPECT_EQ(edit.lineStart(edit.caret), 0);
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyDown));
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyPageDown));
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyDown));
    EXPECT_TRUE(edit.procKeyDown(EditControl::KeyDown));
    EXPECT_EQ(edit.lineStart(edit.caret), 19);
}

TEST_F(EditControlTest, APressPlacesTheCaretAndTheEditMenuFitsTheSelection) {
    place(0, 0, 300, 30);
    EditControl edit(*owner);
    setText(edit, u"hello world", 0);
    service().pressed = &edit;  // as the router does before the press
    const auto c = edit.textLayout.caretAt(6);
    edit.procLButtonDown(static_cast<int>(c.left) + 4 + 1, 12);
    EXPECT_TRUE(edit.focus);
    EXPECT_TRUE(edit.captured);
    EXPECT_EQ(edit.caret, 6);
    const auto entries = [&] {
        std::vector<std::wstring> titles;
        for (const auto& e : edit.editMenuEntries()) titles.push_back(e.title);
        return titles;
    };
    EXPECT_EQ(entries(), (std::vector<std::wstring>{L"貼り付け", L"すべてを選択"}));
    edit.procMouseDrag(static_cast<int>(edit.textLayout.caretAt(11).left) + 4 + 30, 12);
    EXPECT_EQ(edit.selectedText(), u"world");
    EXPECT_EQ(entries(), (std::vector<std::wstring>{L"切り取り", L"コピー", L"貼り付け", L"削除"}));
}

TEST_F(EditControlTest, AFocusedEditDrawsItsBorderSelectionTextAndCaret) {
    useStyle(
        "[Color]\nBackground=202020\nBorder=606060\nBorderFocus=3080ff\nText=f0f0f0\nTextSelect=305070\n");
    mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
    host = std::make_unique<Media::RenderTargetWindow>();
    host->createRenderTarget(400, 200);
    owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, host.get(), 200, &clip, &source);
    place(20, 20, 200, 28);
    EditControl edit(*owner);
    EditControl other(*owner);
    other.visible = false;
    edit.setGroupFocus(true);
    setText(edit, u"Edit 日本語 text", 5);
    edit.selectionStart = 5;
    edit.selectionEnd = 8;
    edit.procPaint();
    EXPECT_EQ(at(20, 20), 0x3080FFu);  // the focus border
    EXPECT_EQ(at(22, 22), 0x202020u);  // inside it
    EXPECT_TRUE(matchesReference("edit-focused"));
    edit.drawCursor(false);  // the blink's off phase restores what was under the caret
    const int caretX = 20 + 4 + static_cast<int>(edit.textLayout.caretAt(5).left) - edit.scrollX;
    EXPECT_NE(at(caretX, 34), 0xF0F0F0u);
}

}  // namespace
