#include "settings/rows/EffectItemNumberControl.h"

#include "effect/movement/MovementBase.h"
#include "settings/rows/RowTestSupport.h"

namespace RowTest {
namespace {

using Component::EffectItemNumberControl;

class NumberRow : public RowFixture {
protected:
    void SetUp() override {
        RowFixture::SetUp();
        a = place(0);
        host.target = a;
    }
    // A typed value: the slider's entry, then the entry closes (one gesture).
    static void type(Control::SliderInputControl& slider, const std::wstring& text) {
        slider.applyEditText(text, 0);
        slider.setEditMode(false);
    }
    static void withValues(Effect::EffectItemNumber& item, std::vector<std::int32_t> values) {
        item.values = std::move(values);
    }
    Edit::ObjectPointer a;
};

TEST_F(NumberRow, TypedValuesAreStoredInStepsRoundedHalfAwayFromZeroAndClamped) {
    struct Case {
        const wchar_t* typed;
        std::int32_t stored;
        const wchar_t* shown;
    };
    // 拡大率: step 0.1, 0 to 5000.
    for (const Case& k : {Case{L"1.26", 13, L"1.3"}, Case{L"1.25", 13, L"1.3"}, Case{L"1e12", 50000, L"5000.0"},
                          Case{L"-3", 0, L"0.0"}}) {
        SCOPED_TRACE(std::string(k.typed, k.typed + wcslen(k.typed)));
        rows.clear();
        auto& row = rowOf<EffectItemNumberControl>(rowsOf(a).zoom);
        type(row.startSlider, k.typed);
        EXPECT_EQ(rowsOf(a).zoom.values.at(0), k.stored);
        row.updateValue();
        EXPECT_EQ(row.startSlider.valueText, k.shown);
    }
    // −1.25 on a step-0.1 item of its own range.
    Effect::EffectItemNumber& x = rowsOf(a).x;
    x.scale = 10;
    x.minimum = -10000;
    x.setValue(-1.25, 0);
    EXPECT_EQ(x.values.at(0), -13);
}

TEST_F(NumberRow, TheEndSliderShowsByViewModeAndValueCount) {
    struct Case {
        int mode;
        int values;
        bool two;
    };
    for (const Case& k : {Case{2, 1, false}, Case{2, 2, true}, Case{2, 5, true}, Case{1, 2, true}, Case{1, 3, false},
                          Case{0, 2, false}, Case{0, 5, false}}) {
        SCOPED_TRACE(testing::Message() << "mode " << k.mode << " values " << k.values);
        rows.clear();
        host.options.sectionViewMode = k.mode;
        withValues(rowsOf(a).x, std::vector<std::int32_t>(static_cast<std::size_t>(k.values), 0));
        auto& row = rowOf<EffectItemNumberControl>(rowsOf(a).x);
        EXPECT_EQ(row.endSlider.visible, k.two);
        if (k.two) {
            EXPECT_EQ(row.startSlider.fullRect().x, row.sliderArea.fullRect().x);
            EXPECT_EQ(row.endSlider.fullRect().x + row.endSlider.fullRect().width,
                      row.sliderArea.fullRect().x + row.sliderArea.fullRect().width);
        } else {
            EXPECT_EQ(row.startSlider.fullRect().width, row.sliderArea.fullRect().width);
        }
    }
}

TEST_F(NumberRow, InTheLastSectionTheSlidersEditTheLastTwoValues) {
    withValues(rowsOf(a).x, {10, 20, 30, 40});
    host.section = 7;
    auto& row = rowOf<EffectItemNumberControl>(rowsOf(a).x);
    EXPECT_EQ(row.sectionIndex, 2);
    EXPECT_EQ(row.startSlider.getValue(), 30);
    EXPECT_EQ(row.endSlider.getValue(), 40);
    EXPECT_TRUE(row.endSlider.atLast);
    type(row.endSlider, L"44");
    EXPECT_EQ(rowsOf(a).x.values, (std::vector<std::int32_t>{10, 20, 30, 44}));

    // With one slider the start slider reaches the last value.
    rows.clear();
    host.options.sectionViewMode = 0;
    auto& one = rowOf<EffectItemNumberControl>(rowsOf(a).x);
    EXPECT_EQ(one.sectionIndex, 3);
    type(one.startSlider, L"4");
    EXPECT_EQ(rowsOf(a).x.values.back(), 4);

    // The window moves to the first section.
    host.section = 0;
    one.updateSection();
    EXPECT_EQ(one.startSlider.getValue(), 10);
    EXPECT_TRUE(one.startSlider.atFirst);
}

TEST_F(NumberRow, OneGestureReachesTheSelectionWithTheSameMovementAndCountAndIsOneUndoStep) {
    const Edit::ObjectPointer b = place(1), c = place(2), d = place(3);
    for (const Edit::ObjectPointer& object : {a, b, c, d}) scene().selectObject(object);
    // d's number moves otherwise.
    rowsOf(d).x.movement = Effect::DefaultMovement::linearSpeed;
    ASSERT_NE(rowsOf(d).x.movement, rowsOf(a).x.movement);
    auto& row = rowOf<EffectItemNumberControl>(rowsOf(a).x);
    row.startSlider.applyEditText(L"5", 0);
    row.startSlider.applyEditText(L"57", 0);
    row.startSlider.setEditMode(false);
    for (const Edit::ObjectPointer& object : {a, b, c}) EXPECT_EQ(rowsOf(object).x.values.at(0), 57);
    EXPECT_EQ(rowsOf(d).x.values.at(0), 0);
    undo().undo();
    for (const Edit::ObjectPointer& object : {a, b, c}) EXPECT_EQ(rowsOf(object).x.values.at(0), 0);
    EXPECT_FALSE(undo().canUndo());
}

TEST_F(NumberRow, ADragMovesTheValueByTheDragRatio) {
    // One unit a pixel.
    Control::SliderInputControl::settings.moveMode = 0;
    Control::SliderInputControl::settings.moveRatio = 100;
    auto& row = rowOf<EffectItemNumberControl>(rowsOf(a).x);
    row.startSlider.updateDragRatio();
    auto& face = row.startSlider.face;
    System::Singleton<Window::WindowMouseService>::getInstance()->pressed = &face;
    face.procLButtonDown(5, 5);
    face.procMouseDrag(30, 0);
    face.procMouseDrag(42, 0);
    face.captured = false;
    face.procCaptureLost();
    System::Singleton<Window::WindowMouseService>::getInstance()->pressed = nullptr;
    EXPECT_EQ(rowsOf(a).x.values.at(0), 42);
    undo().undo();
    EXPECT_EQ(rowsOf(a).x.values.at(0), 0);
}

TEST_F(NumberRow, ChoosingAnotherMovementChangesItInTheSelectionAndTheSameOneChangesNothing) {
    const Edit::ObjectPointer b = place(1);
    scene().selectObject(a);
    scene().selectObject(b);
    auto& row = rowOf<EffectItemNumberControl>(rowsOf(a).x);
    auto& effects = *System::Singleton<Effect::EffectService>::getInstance();
    row.updateMovement(a, effects.findMovement(L"直線移動"));
    EXPECT_STREQ(rowsOf(a).x.movement->name, L"直線移動");
    EXPECT_STREQ(rowsOf(b).x.movement->name, L"直線移動");
    EXPECT_EQ(rowsOf(a).x.values.size(), 2u);
    EXPECT_TRUE(undo().canUndo());
    undo().undo();
    EXPECT_STREQ(rowsOf(a).x.movement->name, L"移動無し");
    EXPECT_EQ(rowsOf(a).x.values.size(), 1u);
    EXPECT_FALSE(undo().canUndo());
    // The movement the item has already: no step.
    rows.clear();
    auto& again = rowOf<EffectItemNumberControl>(rowsOf(a).x);
    again.updateMovement(a, effects.findMovement(L"移動無し"));
    EXPECT_FALSE(undo().canUndo());
}

}  // namespace
}  // namespace RowTest
