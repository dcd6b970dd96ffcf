#include "settings/rows/EffectItemCheckControl.h"

#include "settings/rows/RowTestSupport.h"

#include <set>

namespace RowTest {
namespace {

class RowBase : public RowFixture {
protected:
    void SetUp() override {
        RowFixture::SetUp();
        a = place(0);
        b = place(1);
        c = place(2);
        host.target = a;
    }
    Edit::ObjectPointer a, b, c;
};

TEST_F(RowBase, AnEditReachesTheSameItemOfEveryOtherSelectedObjectOnceAndIsOneUndoStep) {
    scene().selectObject(a);
    scene().selectObject(b);
    scene().selectObject(c);
    auto& row = rowOf<Component::EffectItemCheckControl>(rowsOf(a).check);
    {
        Edit::EditScope scope(edit());
        row.setValue(true, scope);
    }
    EXPECT_TRUE(rowsOf(a).check.value);
    EXPECT_TRUE(rowsOf(b).check.value);
    EXPECT_TRUE(rowsOf(c).check.value);
    undo().undo();
    EXPECT_FALSE(rowsOf(a).check.value);
    EXPECT_FALSE(rowsOf(b).check.value);
    EXPECT_FALSE(rowsOf(c).check.value);
}

TEST_F(RowBase, WithoutASelectionOnlyTheTargetChanges) {
    auto& row = rowOf<Component::EffectItemCheckControl>(rowsOf(a).check);
    {
        Edit::EditScope scope(edit());
        row.setValue(true, scope);
    }
    EXPECT_TRUE(rowsOf(a).check.value);
    EXPECT_FALSE(rowsOf(b).check.value);
}

TEST_F(RowBase, AnItemWithAnotherNameOrAShorterChainIsLeftAlone) {
    // b's item at the same place is renamed; c's chain lacks the effect.
    rowsOf(b).check.name = L"別名";
    {
        Edit::EditScope scope(edit());
        c->effectList.clear();
    }
    scene().selectObject(b);
    scene().selectObject(c);
    auto& row = rowOf<Component::EffectItemCheckControl>(rowsOf(a).check);
    {
        Edit::EditScope scope(edit());
        row.setValue(true, scope);
    }
    EXPECT_TRUE(rowsOf(a).check.value);
    EXPECT_FALSE(rowsOf(b).check.value);
}

TEST_F(RowBase, APressOnTheLabelTogglesACheckRowAndOnlyClickableRowsLightUp) {
    auto& row = rowOf<Component::EffectItemCheckControl>(rowsOf(a).check);
    // The label takes no input; the row gets the press.
    const Window::Rect& label = row.label.visibleRect();
    EXPECT_EQ(System::Singleton<Window::WindowMouseService>::getInstance()->hitTest(window, label.x + 5, label.y + 5), &row);
    System::Singleton<Window::WindowMouseService>::getInstance()->pressed = &row;
    row.procLButtonDown(label.x + 5, label.y + 5);
    System::Singleton<Window::WindowMouseService>::getInstance()->pressed = nullptr;
    EXPECT_TRUE(rowsOf(a).check.value);
    EXPECT_TRUE(row.check.checked);

    const int before = host.backgrounds;
    row.hover = true;
    row.procMouseEnter();
    EXPECT_GT(host.backgrounds, before);
    auto& button = rowOf<Component::EffectItemCheckButtonControl>(rowsOf(a).left);
    button.clickCallback = nullptr;
    const int lit = host.backgrounds;
    button.hover = true;
    button.procMouseEnter();
    button.procPaint();
    EXPECT_EQ(host.backgrounds, lit);
}

TEST_F(RowBase, RowsSharingALineTakeTheirFractionAndTheSecondHasNoLeftMargin) {
    auto& left = rowOf<Component::EffectItemCheckButtonControl>(rowsOf(a).left);
    auto& right = rowOf<Component::EffectItemCheckButtonControl>(rowsOf(a).right);
    EXPECT_EQ(left.fullRect().x, 0);
    EXPECT_EQ(left.fullRect().width, 200);
    EXPECT_EQ(right.fullRect().x, 200);
    EXPECT_EQ(right.fullRect().width, 200);
    EXPECT_EQ(left.layoutBox.fullRect().x, left.margin);
    EXPECT_EQ(right.layoutBox.fullRect().x, 200);
    EXPECT_EQ(right.layoutBox.fullRect().height, right.rowHeight() - 2);
}

TEST_F(RowBase, HiddenItemsAndKindsWithoutARowGiveNone) {
    rowsOf(a).check.visible = false;
    EXPECT_FALSE(Component::createItemControl(*owner, effectOf(a), rowsOf(a).check, host));
    EXPECT_FALSE(Component::createItemControl(*owner, effectOf(a), rowsOf(a).hidden, host));
}

TEST_F(RowBase, ARowWithoutAFileRefusesOne) {
    auto& row = rowOf<Component::EffectItemCheckControl>(rowsOf(a).check);
    EXPECT_ANY_THROW(row.updateFile(L"x.png"));
}

}  // namespace
}  // namespace RowTest

namespace RowTest {
namespace {

class RowLabels : public RowFixture {};

TEST_F(RowLabels, EveryRowPaintsItsNameLabel) {
    const Edit::ObjectPointer a = place(0);
    host.target = a;
    Rows& rows = rowsOf(a);
    for (Effect::EffectItem* item : {static_cast<Effect::EffectItem*>(&rows.check), static_cast<Effect::EffectItem*>(&rows.select),
                                     static_cast<Effect::EffectItem*>(&rows.caption), static_cast<Effect::EffectItem*>(&rows.count)}) {
        SCOPED_TRACE(std::string(item->name.begin(), item->name.end()));
        this->rows.clear();
        Component::EffectItemBaseControl& row = rowOf<Component::EffectItemBaseControl>(*item);
        // Clear, then paint: the label's text leaves more than one colour.
        {
            Media::RenderTarget::DrawScope scope(row, 0, 0, 400, 200, true);
            row.fill(Platform::Cairo::SolidColorBrush({0, 0, 0, 1}));
        }
        row.procPaint();
        // The label sits in the layout box's left header width.
        const Window::Rect box = row.layoutBox.fullRect();
        std::set<std::uint32_t> colours;
        for (int y = box.y; y < box.y + box.height; ++y)
            for (int x = box.x; x < box.x + row.headerWidth; ++x) colours.insert(at(x, y));
        EXPECT_GT(colours.size(), 2u);
    }
}

}  // namespace
}  // namespace RowTest
