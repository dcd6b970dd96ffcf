#include "settings/rows/EffectItemIntegerControl.h"
#include "settings/rows/EffectItemTextControls.h"

#include "settings/rows/RowTestSupport.h"

namespace RowTest {
namespace {

using namespace Component;

class TextRow : public RowFixture {
protected:
    void SetUp() override {
        RowFixture::SetUp();
        a = place(0);
        host.target = a;
    }
    static void typeInto(Control::EditControl& edit, const std::u16string& text) {
        for (char16_t c : text) edit.editChar(c, {});
    }
    Edit::ObjectPointer a;
};

TEST_F(TextRow, EnterInAStringRowInsertsNothingAndPastedLineBreaksAreDropped) {
    auto& row = rowOf<EffectItemStringControl>(rowsOf(a).caption);
    row.edit.setCaret(3);
    typeInto(row.edit, u"d\re");
    EXPECT_EQ(rowsOf(a).caption.text, L"abcde");
    row.edit.editString(u"f\r\ng");
    EXPECT_EQ(rowsOf(a).caption.text, L"abcdefg");
}

TEST_F(TextRow, EveryCharacterTypedInATextRowIsItsOwnUndoStep) {
    auto& row = rowOf<EffectItemTextControl>(rowsOf(a).text);
    row.edit.setCaret(2);
    typeInto(row.edit, u"xyz");
    EXPECT_EQ(rowsOf(a).text.text, L"本文xyz");
    undo().undo();
    EXPECT_EQ(rowsOf(a).text.text, L"本文xy");
    undo().undo();
    undo().undo();
    EXPECT_EQ(rowsOf(a).text.text, L"本文");
    EXPECT_FALSE(undo().canUndo());
    row.procPaint();
    // Variation selectors are not inserted; Enter is.
    row.edit.setCaret(2);
    typeInto(row.edit, u"\uFE0F\r");
    EXPECT_EQ(rowsOf(a).text.text, L"本文\n");
}

TEST_F(TextRow, ATextChangedElsewhereWithTheSameLengthShowsAtTheNextPaint) {
    auto& row = rowOf<EffectItemTextControl>(rowsOf(a).text);
    rowsOf(a).text.text = L"別文";
    row.procPaint();
    EXPECT_EQ(row.edit.wideText(), L"別文");
    // A key typed now builds on the new text.
    row.edit.setCaret(2);
    typeInto(row.edit, u"!");
    EXPECT_EQ(rowsOf(a).text.text, L"別文!");
}

TEST_F(TextRow, ALayerRangeShowsDashesForAllLayersAndItsUndoIsTheObjectsRecord) {
    auto& row = rowOf<EffectItemLayerRangeControl>(rowsOf(a).range);
    // 0 shows the zero text.
    EXPECT_EQ(row.slider.valueText, L"");
    EXPECT_EQ(row.slider.zeroText, L"---");
    row.slider.applyEditText(L"3", 0);
    row.slider.setEditMode(false);
    EXPECT_EQ(rowsOf(a).range.value, 3);
    EXPECT_EQ(row.slider.valueText, L"3");
    undo().undo();
    EXPECT_EQ(rowsOf(a).range.value, 0);
}

TEST_F(TextRow, AnIntegerSliderChangesOnlyTheObjectShown) {
    const Edit::ObjectPointer b = place(1);
    scene().selectObject(a);
    scene().selectObject(b);
    auto& row = rowOf<EffectItemIntegerControl>(rowsOf(a).count);
    EXPECT_EQ(row.slider.valueText, L"3");
    row.slider.applyEditText(L"0", 0);
    row.slider.applyEditText(L"7", 0);
    row.slider.setEditMode(false);
    EXPECT_EQ(rowsOf(a).count.value, 7);
    EXPECT_EQ(rowsOf(b).count.value, 3);
    undo().undo();
    EXPECT_EQ(rowsOf(a).count.value, 3);
    EXPECT_FALSE(undo().canUndo());
}

}  // namespace
}  // namespace RowTest
