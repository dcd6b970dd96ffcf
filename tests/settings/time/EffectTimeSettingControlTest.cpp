// The curve editor over a real edit and undo service: what its menu, a drag
// and a press in the empty plot write into the target item (and the other
// members of its linked group) and how they undo.
#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/movement/MovementBase.h"
#include "effect/registry/EffectService.h"
#include "media/DrawingFixture.h"
#include "media/draw/RenderTargetWindow.h"
#include "settings/time/EffectTimeSettingControl.h"
#include "support/VirtualDisplay.h"
#include "window/WindowControlOwner.h"
#include "window/WindowMouseService.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Component::CurvePart;
using Component::EffectTimeSettingControl;
using Flat = std::vector<double>;

// A filter with a linked X/Y pair and a single Z.
class Curves : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"曲線";
    Curves()
        : EffectBase(Name, Effect::EffectKind::Filter, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Curves>(); }

    Effect::EffectItemNumber x{items, L"X", 0, -1000, 1000, 1};
    Effect::EffectItemNumber y{items, L"Y", 0, -1000, 1000, 1};
    Effect::EffectItemNumberGroup position{items, L"位置", {&x, &y}, true};
    Effect::EffectItemNumber z{items, L"Z", 0, -1000, 1000, 1};
};

// The diagonal with a point added in the middle by the menu: its handle is
// flat and 1 / (2 + 3) long.
const Flat kMiddle{0, 0, 0.25, 0.25, 0.5, 0.5, 0.2, 0, 1, 1, 0.25, 0.25};

class TimeControlEditor : public DrawingTest::DrawingServices {
protected:
    TimeControlEditor() : DrawingServices(true) {}

    void SetUp() override {
        TestSupport::useTestDisplay();
        DrawingServices::SetUp();
        mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
        effects = std::make_unique<System::Singleton<Effect::EffectService>>();
        System::Singleton<Effect::EffectService>::getInstance()->registerEffect<Curves>();
        events = std::make_unique<System::Singleton<Event::EventService>>();
        undoHolder = std::make_unique<System::Singleton<Undo::UndoService>>();
        editHolder = std::make_unique<System::Singleton<Edit::EditService>>();
        hostImage = std::make_unique<Media::RenderTargetWindow>();
        hostImage->createRenderTarget(400, 200);
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, hostImage.get(), 200, &clip, &clip);
        editor = std::make_unique<EffectTimeSettingControl>(*owner, options, nullptr);
        owner->updateLayout();
        editor->procMove();

        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        object = edit().getCurrentScene()->createObject(Curves::Name, 0, 10, 109);
        curves = std::static_pointer_cast<Curves>(object->effectList.at(0));
        for (Effect::EffectItemNumber* item : {&curves->x, &curves->y, &curves->z})
            item->setMovement(*Effect::DefaultMovement::linearSpeed);
    }
    void TearDown() override {
        editor.reset();
        owner.reset();
        hostImage.reset();
        object.reset();
        curves.reset();
        editHolder.reset();
        undoHolder.reset();
        events.reset();
        effects.reset();
        mouse.reset();
        DrawingServices::TearDown();
    }

    static Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }
    static Undo::UndoService& undo() { return *System::Singleton<Undo::UndoService>::getInstance(); }
    void target(Effect::EffectItemNumber& item) { editor->setTarget(object, curves, &item); }
    // The menu opened at the pixel, its n-th entry.
    Window::MenuEntry menuEntry(int x, int y, std::size_t n) { return editor->createContextMenu(x, y).at(n); }

    Platform::WindowHandle window = reinterpret_cast<Platform::WindowHandle>(0x10);
    Window::Rect clip{0, 0, 400, 200};
    Component::TimeControlOptions options;
    std::unique_ptr<System::Singleton<Window::WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Effect::EffectService>> effects;
    std::unique_ptr<System::Singleton<Event::EventService>> events;
    std::unique_ptr<System::Singleton<Undo::UndoService>> undoHolder;
    std::unique_ptr<System::Singleton<Edit::EditService>> editHolder;
    std::unique_ptr<Media::RenderTargetWindow> hostImage;
    std::unique_ptr<Window::WindowControlOwner> owner;
    std::unique_ptr<EffectTimeSettingControl> editor;
    Edit::ObjectPointer object;
    std::shared_ptr<Curves> curves;
};

TEST_F(TimeControlEditor, TargetsListALinkedGroupOnceAndNameItFromTheItemsOwnPlace) {
    const std::vector<Component::TimeControlTarget> targets = Component::collectTargetItems(object);
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0].item, &curves->x);
    EXPECT_EQ(targets[1].item, &curves->z);
    EXPECT_EQ(Component::makeTargetLabel(targets[0]), L"曲線 [X,Y]");
    EXPECT_EQ(Component::makeTargetLabel({object, curves, &curves->y}), L"曲線 [Y,X]");
    EXPECT_EQ(Component::makeTargetLabel(targets[1]), L"曲線 [Z]");
    // The focus takes the first of them (the chain has no input effect).
    EXPECT_EQ(Component::focusTarget(object).item, &curves->x);

    // Another movement, or the object leaving the timeline, ends a target.
    EXPECT_TRUE(Component::isTargetValid(targets[1]));
    curves->z.setMovement(*Effect::DefaultMovement::noMove);
    EXPECT_FALSE(Component::isTargetValid(targets[1]));
    EXPECT_EQ(Component::collectTargetItems(object).size(), 1u);
    EXPECT_TRUE(Component::isTargetValid(targets[0]));
    object->layer = -1;
    EXPECT_FALSE(Component::isTargetValid(targets[0]));
}

// The plot is 380 x 180 at (10, 10): its middle is (200, 100).
TEST_F(TimeControlEditor, AddingInTheMiddleWritesThreePointsIntoEveryLinkedItemAsOneUndoStep) {
    target(curves->y);
    const Window::MenuEntry add = menuEntry(200, 100, 0);
    EXPECT_EQ(add.text, L"制御点を追加");
    ASSERT_TRUE(add.enabled);
    EXPECT_FALSE(menuEntry(200, 100, 1).enabled) << "no inner point under the pointer";
    add.command();
    EXPECT_EQ(curves->x.curve, kMiddle);
    EXPECT_EQ(curves->y.curve, kMiddle);
    EXPECT_TRUE(curves->z.curve.empty());
    undo().undo();
    EXPECT_TRUE(curves->x.curve.empty());
    EXPECT_TRUE(curves->y.curve.empty());
}

TEST_F(TimeControlEditor, AWholeDragIsOneUndoStep) {
    target(curves->z);
    editor->addControlPoint(0.5, 0.5);
    ASSERT_EQ(curves->z.curve, kMiddle);
    editor->procMouseMove(201, 99);
    ASSERT_EQ(editor->hover.part, CurvePart::InnerPoint);
    editor->procLButtonDown(201, 99);
    editor->procMouseDrag(19, 0);
    editor->procMouseDrag(38, -18);  // 0.1 right, 0.1 up
    editor->procCaptureLost();
    Flat moved = kMiddle;
    moved[4] = 0.6, moved[5] = 0.6;
    ASSERT_EQ(curves->z.curve.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_DOUBLE_EQ(curves->z.curve[i], moved[i]) << i;
    // The pointer rests on the moved point.
    EXPECT_EQ(editor->hover.part, CurvePart::InnerPoint);
    undo().undo();
    EXPECT_EQ(curves->z.curve, kMiddle);
    undo().undo();
    EXPECT_TRUE(curves->z.curve.empty());
}

TEST_F(TimeControlEditor, DeleteNeedsAnInnerPointUnderThePointerAndPasteOfNothingIsTheDiagonal) {
    target(curves->z);
    menuEntry(200, 100, 0).command();
    menuEntry(0, 0, 3).command();  // コピー
    editor->procMouseMove(10, 190);  // the first point: an end point
    EXPECT_FALSE(menuEntry(10, 190, 1).enabled);
    editor->procMouseMove(200, 100);
    const Window::MenuEntry remove = menuEntry(200, 100, 1);
    EXPECT_EQ(remove.text, L"制御点を削除");
    ASSERT_TRUE(remove.enabled);
    remove.command();
    EXPECT_TRUE(curves->z.curve.empty());
    EXPECT_EQ(editor->curve.points.size(), 2u);
    menuEntry(0, 0, 4).command();  // 貼り付け
    EXPECT_EQ(curves->z.curve, kMiddle);

    // Another editor has nothing copied: pasting gives the diagonal.
    EffectTimeSettingControl fresh(*owner, options, nullptr);
    fresh.updateLayout();
    fresh.procMove();
    fresh.setTarget(object, curves, &curves->z);
    fresh.pasteControlPoints();
    EXPECT_TRUE(curves->z.curve.empty());
    EXPECT_EQ(fresh.curve.points.size(), 2u);
}

TEST_F(TimeControlEditor, APressInTheEmptyPlotMovesTheCurrentFrameAcrossTheObject) {
    target(curves->z);
    const struct {
        int x;
        int frame;
    } presses[] = {
        {10, 10},     // the plot's left edge: the object's first frame
        {200, 60},    // 190 × 99 ÷ 380 = 49.5, rounded away from zero
        {-40, 10},    // clamped at the start
        {1000, 109},  // and at the end
    };
    for (const auto& p : presses) {
        editor->procMouseMove(p.x, 150);
        ASSERT_EQ(editor->hover.part, CurvePart::None);
        editor->procLButtonDown(p.x, 150);
        EXPECT_EQ(edit().getCurrentScene()->cursorFrame, p.frame) << p.x;
    }
    // The frame cursor follows into the editor.
    editor->setCursorFrame(35);
    EXPECT_FLOAT_EQ(editor->cursorFraction, 25.0f / 99);
    editor->setCursorFrame(110);
    EXPECT_EQ(editor->cursorFraction, -1);
}

}  // namespace
