// The text window's editor on a text object of a real project: it takes
// only a text object's text, writes each change as one undo step of that
// item, is refreshed by the in-place text undo, and never overwrites a
// change made through the object settings window's text row (nor the
// other way round). A dropped text file that is neither UTF-8 nor CP932
// leaves the text alone.
#include "settings/text/EffectTextSettingControl.h"

#include "core/CoreTestSupport.h"
#include "effects/media/TextInput.h"
#include "render/output/VideoOutput.h"
#include "settings/rows/EffectItemTextControls.h"
#include "settings/rows/RowTestSupport.h"
#include "window/controls/LayoutControl.h"

namespace RowTest {
namespace {

using Component::EffectTextSettingControl;

class TextEditor : public RowFixture {
protected:
    void SetUp() override {
        RowFixture::SetUp();
        Effect::EffectService& registry = *System::Singleton<Effect::EffectService>::getInstance();
        registry.registerEffect<Effect::TextInput>();
        registry.registerEffect<Effect::VideoOutput>();
        {
            Edit::EditScope scope(edit());
            scope.resortLayers = true;
            textObject = scene().createObject(Effect::TextInput::Name, 2, 0, 99);
        }
        box = std::make_unique<Control::LayoutControl>(*owner, 0, 100, 0, 0);
        editor = std::make_unique<EffectTextSettingControl>(*box, 0, 0);
        box->updateLayout();
        edit().hooks.refreshTextSetting = [this] { editor->reloadTarget(); };
    }
    void TearDown() override {
        edit().hooks.refreshTextSetting = nullptr;
        editor.reset();
        box.reset();
        textObject.reset();
        RowFixture::TearDown();
    }
    Effect::TextInput& input() { return static_cast<Effect::TextInput&>(*textObject->effectList.at(0)); }
    void type(Control::EditControl& edit, const std::u16string& text) {
        for (char16_t c : text) edit.editChar(c, {});
    }

    Edit::ObjectPointer textObject;
    std::unique_ptr<Control::LayoutControl> box;
    std::unique_ptr<EffectTextSettingControl> editor;
};

TEST_F(TextEditor, OnlyTheFirstEffectOfATextObjectIsATarget) {
    EXPECT_EQ(EffectTextSettingControl::findTextItem(textObject).item, &input().text);
    // A filter object has a text item, but is no text object.
    const Edit::ObjectPointer other = place(0);
    EXPECT_EQ(EffectTextSettingControl::findTextItem(other).item, nullptr);
    EXPECT_EQ(EffectTextSettingControl::findTextItem(nullptr).item, nullptr);
    // Without a target the editor takes no text.
    type(*editor, u"x");
    EXPECT_FALSE(undo().canUndo());
}

TEST_F(TextEditor, EachChangeIsOneUndoStepAndTheTextUndoReloadsTheEditor) {
    input().text.text = L"";
    editor->setTarget(EffectTextSettingControl::findTextItem(textObject));
    type(*editor, u"abc");
    EXPECT_EQ(input().text.text, L"abc");
    editor->selectionStart = editor->anchor = 0;
    editor->selectionEnd = editor->caret = 3;
    editor->nudgePosition(1, 0);
    EXPECT_EQ(input().text.text, L"<p+1,+0>abc<p-1,+0>");

    undo().undoText(&input().text);
    EXPECT_EQ(editor->wideText(), L"abc");
    undo().undoText(&input().text);
    EXPECT_EQ(editor->wideText(), L"ab");
    undo().redoText(&input().text);
    EXPECT_EQ(editor->wideText(), L"abc");
    // The object moved elsewhere: the text undo stops there.
    {
        Edit::EditScope scope(edit());
        scope.beginUndo();
        undo().addObjectUndoUpdate(textObject);
        textObject->layer = 3;
        scope.resortLayers = true;
    }
    undo().undoText(&input().text);
    EXPECT_EQ(input().text.text, L"abc");
}

TEST_F(TextEditor, TheWindowAndTheTextRowNeverOverwriteEachOther) {
    input().text.text = L"";
    host.target = textObject;
    auto& row = rowOf<Component::EffectItemTextControl>(input().text);
    editor->setTarget(EffectTextSettingControl::findTextItem(textObject));

    editor->setCaret(0);
    type(*editor, u"ab");
    row.procPaint();  // what the settings window does once the edit closes
    row.edit.setCaret(2);
    type(row.edit, u"cd");
    EXPECT_EQ(editor->wideText(), L"abcd");
    // The same length as the row's text, but another text.
    editor->selectionStart = editor->anchor = 0;
    editor->selectionEnd = editor->caret = 4;
    editor->replaceField(u"wxyz");
    row.procPaint();
    row.edit.setCaret(4);
    type(row.edit, u"!");
    EXPECT_EQ(input().text.text, L"wxyz!");
    EXPECT_EQ(editor->wideText(), L"wxyz!");
}

TEST_F(TextEditor, ADroppedTextFileGoesInAtTheCaretUnlessItIsNoText) {
    CoreTest::TempFolder folder;
    const auto sjis = folder.path() / "a.txt";
    const auto bad = folder.path() / "b.txt";
    CoreTest::writeBytes(sjis.string(), "\x93\xFA\x96\x7B\r\n");  // 日本 in CP932
    CoreTest::writeBytes(bad.string(), "\x82\x20");                // a lead byte before a space
    input().text.text = L"ab";
    editor->setTarget(EffectTextSettingControl::findTextItem(textObject));
    editor->setCaret(1);
    EXPECT_TRUE(editor->insertFile(sjis.wstring()));
    EXPECT_EQ(input().text.text, L"a日本\nb");
    EXPECT_FALSE(editor->insertFile(bad.wstring()));
    EXPECT_EQ(input().text.text, L"a日本\nb");
}

}  // namespace
}  // namespace RowTest
