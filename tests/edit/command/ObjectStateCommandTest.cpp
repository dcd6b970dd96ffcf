#include "effect/base/ControlState.h"
#include "edit/command/ObjectStateCommand.h"

#include "edit/command/ClipboardCommand.h"
#include "edit/command/CommandTestSupport.h"
#include "edit/command/FakeDialogs.h"
#include "edit/command/ObjectMenuCommand.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumberGroup.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Objects = std::vector<Edit::ObjectPointer>;

// A control that governs a range of following layers, with its range item.
class RangeControl : public Effect::EffectBase, public Effect::GroupAudioControlState {
public:
    RangeControl()
        : EffectBase(L"グループ制御(音声)", Effect::EffectKind::Control, Effect::MediaKind::Audio,
                     Effect::MediaKind::Audio, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<RangeControl>(); }
    int getLayerRange() const override { return range.value; }

    Effect::EffectItemLayerRange range{items, L"対象レイヤー数", 1};
};

// A filter whose two numbers form a movement group.
class Scale : public Effect::EffectBase {
public:
    Scale() : EffectBase(L"拡大率", Effect::EffectKind::Filter, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Scale>(); }

    Effect::EffectItemNumber x{items, L"X", 100, 0, 1000, 1};
    Effect::EffectItemNumber y{items, L"Y", 100, 0, 1000, 1};
    Effect::EffectItemNumberGroup both{items, L"XY", {&x, &y}, false};
};

class ObjectState : public ::testing::Test, public CommandTest::Fixture {
protected:
    ObjectState() {
        registry.service.registerEffect<RangeControl>();
        registry.service.registerEffect<Scale>();
    }

    // The saved lines with that key, in file order.
    Lines keyLines(const std::string& key) {
        Lines lines;
        const std::string bytes = saved();
        for (std::size_t at = 0; (at = bytes.find("\r\n" + key + "=", at)) != std::string::npos;) {
            at += 2;
            lines.push_back(bytes.substr(at, bytes.find('\r', at) - at));
        }
        return lines;
    }

    // Runs the command, then checks that undo gives the bytes before and
    // redo the bytes after.
    void checkUndoRedo(const std::function<void()>& command) {
        const std::string before = saved();
        command();
        const std::string after = saved();
        ASSERT_NE(before, after);
        undo.undo();
        EXPECT_EQ(saved(), before);
        undo.redo();
        EXPECT_EQ(saved(), after);
    }

    CommandTest::FakeDialogs dialogs;
};

TEST_F(ObjectState, GroupingNeedsTwoSelectedObjects) {
    const Edit::ObjectPointer a = place(0, 0, 9);
    const Edit::ObjectPointer b = place(1, 0, 9);
    const Edit::ObjectPointer c = place(2, 0, 9);
    const Edit::ObjectPointer d = place(3, 0, 9);
    scene().setFocusObject(b);
    scene().selectObject(a);
    Edit::EditCommand::setGroup(edit);  // the focus object does not count
    EXPECT_TRUE(registry.env.infoLines("Edit::EditCommand::setGroup").empty());
    EXPECT_FALSE(undo.canUndo());

    // c leaves its group with d for the new one.
    const auto old = std::make_shared<Edit::Group>();
    c->setGroup(old);
    d->setGroup(old);
    scene().selectObject(c);
    checkUndoRedo([&] { Edit::EditCommand::setGroup(edit); });
    EXPECT_EQ(objectLines(), (Lines{"0 0,9 g1", "1 0,9", "2 0,9 g1", "3 0,9 g2"}));
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setGroup"), Lines{"set group object num=2"});

    checkUndoRedo([&] { Edit::EditCommand::clearGroup(edit); });
    EXPECT_EQ(objectLines(), (Lines{"0 0,9", "1 0,9", "2 0,9", "3 0,9 g1"}));
}

TEST_F(ObjectState, ClearingWithoutATargetStillLogs) {
    place(0, 0, 9)->setGroup(std::make_shared<Edit::Group>());
    Edit::EditCommand::clearGroup(edit);
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::clearGroup"), Lines{"clear group object"});
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(objectLines(), Lines{"0 0,9 g1"});
}

TEST_F(ObjectState, EnableSwitchesTheInputOrAWholeFilterObject) {
    const Edit::ObjectPointer media = place(0, 0, 9);
    const Edit::ObjectPointer filter = place(1, 0, 9, EditTest::kBlur);
    {
        Edit::EditScope scope(edit);
        filter->addEffect(EditTest::kGlow, 0, nullptr);
    }
    checkUndoRedo([&] { Edit::EditCommand::setEnableObject(edit, {media, filter}, false); });
    EXPECT_EQ(std::tuple(media->effectList[0]->disable, media->effectList[1]->disable), std::tuple(true, false));
    EXPECT_EQ(std::tuple(filter->effectList[0]->disable, filter->effectList[1]->disable), std::tuple(true, true));
    EXPECT_EQ(keyLines("effect.disable").size(), 3u);
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setEnableObject"), Lines{"set enable effect num=2 enable=0"});

    checkUndoRedo([&] { Edit::EditCommand::setLockObject(edit, {media, filter}, true); });
    EXPECT_EQ(keyLines("display.lock").size(), 4u);
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setLockObject"), Lines{"set lock effect num=2 lock=1"});

    Edit::EditCommand::setEnableObject(edit, {}, true);  // nothing at all
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setEnableObject").size(), 1u);
}

TEST_F(ObjectState, CtrlClickActsOnAllTargetsOnlyFromOneOfThem) {
    const Objects objects = {place(0, 0, 9), place(1, 0, 9), place(2, 0, 9)};
    scene().selectObject(objects[0]);
    scene().selectObject(objects[1]);
    struct Case {
        int clicked;
        bool ctrl;
        std::vector<bool> disabled;
    };
    const Case cases[] = {
        {2, true, {false, false, true}},  // not a target: itself alone
        {0, false, {true, false, false}},  // no Ctrl: itself alone
        {0, true, {true, true, false}},    // Ctrl on a target: all targets
    };
    for (const Case& c : cases) {
        for (const auto& object : objects) object->effectList[0]->disable = false;
        Edit::EditCommand::setEnableClickObject(edit, objects[static_cast<std::size_t>(c.clicked)], false, c.ctrl);
        std::vector<bool> disabled;
        for (const auto& object : objects) disabled.push_back(object->effectList[0]->disable);
        EXPECT_EQ(disabled, c.disabled) << c.clicked << " " << c.ctrl;
    }
    Edit::EditCommand::setLockClickObject(edit, objects[1], true, true);
    EXPECT_TRUE(objects[0]->effectList[1]->lock);
    EXPECT_FALSE(objects[2]->effectList[0]->lock);
}

TEST_F(ObjectState, MovementSettingsGoToEveryMemberOfALinkedGroup) {
    const Edit::ObjectPointer object = place(0, 0, 29, EditTest::kBlur);
    Edit::ObjectPointer scaled;
    {
        Edit::EditScope scope(edit);
        object->addEffect(L"拡大率", 0, nullptr);
    }
    auto& scale = static_cast<Scale&>(*object->effectList.at(1));
    scale.x.fromString("100,200,ランダム移動,0|15");
    scale.y.fromString("100,200,ランダム移動,0|15");

    checkUndoRedo([&] { Edit::EditCommand::setMovementSettings(edit, object, scale.x, {4}); });
    EXPECT_EQ(scale.x.params, std::vector<double>{4});
    EXPECT_EQ(scale.y.params, std::vector<double>{15});
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setMovementSettings"),
              Lines{"set movement settings layer=0 frame=0"});

    scale.both.linked = true;
    dialogs.numbers = {std::nullopt, 9};
    Edit::EditCommand::inputMovementSettings(edit, object, scale.y);  // cancelled
    EXPECT_EQ(scale.y.params, std::vector<double>{15});
    Edit::EditCommand::inputMovementSettings(edit, object, scale.y);
    EXPECT_EQ(scale.x.params, std::vector<double>{9});
    EXPECT_EQ(scale.y.params, std::vector<double>{9});
    EXPECT_EQ(dialogs.asked.back(), L"ランダム移動|設定値|15|-2147483648|2147483647");
}

TEST_F(ObjectState, LinkingAGroupCopiesTheClickedMovementAndUnlinkingChangesNothing) {
    const Edit::ObjectPointer object = place(0, 0, 29, EditTest::kBlur);
    {
        Edit::EditScope scope(edit);
        object->addSection(10, nullptr);
        object->addEffect(L"拡大率", 1, nullptr);
    }
    auto& scale = static_cast<Scale&>(*object->effectList.at(1));
    scale.x.fromString("100,150,200,直線移動,1");
    checkUndoRedo([&] { Edit::EditCommand::toggleMovementGroup(edit, object, scale.both, scale.x); });
    EXPECT_TRUE(scale.both.linked);
    EXPECT_EQ(scale.y.toString(), "100,100,100,直線移動,1");
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::toggleMovementGroup"),
              Lines{"toggle move group layer=0 frame=0"});

    scale.y.setValue(300, 1);
    const std::string x = scale.x.toString();
    const std::string y = scale.y.toString();
    Edit::EditCommand::toggleMovementGroup(edit, object, scale.both, scale.x);
    EXPECT_FALSE(scale.both.linked);
    EXPECT_EQ(std::tie(x, y), std::tuple(scale.x.toString(), scale.y.toString()));
}

TEST_F(ObjectState, SelectedControlsGovernDownToTheDeepestSelectedLayer) {
    const Edit::ObjectPointer high = place(2, 0, 9, L"グループ制御(音声)");
    const Edit::ObjectPointer low = place(7, 0, 9, L"グループ制御(音声)");
    const Edit::ObjectPointer other = place(5, 0, 9);
    scene().selectObject(high);
    EXPECT_FALSE(Edit::EditCommand::canAdjustLayerRange(edit));  // one object
    scene().selectObject(other);
    scene().selectObject(low);
    checkUndoRedo([&] { Edit::EditCommand::adjustLayerRange(edit); });
    EXPECT_EQ(high->effectList.front()->getLayerRange(), 5);
    EXPECT_EQ(low->effectList.front()->getLayerRange(), 1);
    EXPECT_EQ(scene().getLayerObjectList(2).controlRanges.at(0).layerCount, 5);
}

TEST_F(ObjectState, ViewSwitchesReachTheRenderSettingsWithoutUndo) {
    std::vector<std::pair<Edit::PreviewSwitch, bool>> stored;
    edit.hooks.setPreviewSwitch = [&](Edit::PreviewSwitch which, bool enable) { stored.emplace_back(which, enable); };
    Edit::EditCommand::setGridXY(edit, true);
    Edit::EditCommand::setCameraGrid(edit, false);
    Edit::EditCommand::setCameraFreeView(edit, true);
    Edit::EditCommand::setVisibleClippingObjectView(edit, true);
    using S = Edit::PreviewSwitch;
    EXPECT_EQ(stored, (std::vector<std::pair<S, bool>>{
                          {S::GridXY, true}, {S::CameraGrid, false}, {S::CameraFreeView, true},
                          {S::VisibleClippingObject, true}}));
    EXPECT_TRUE(edit.visibleClippingObject);
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setGridXY"), Lines{"set xy grid enable=1"});
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setCameraGrid"), Lines{"set camera grid enable=0"});
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setCameraFreeView"), Lines{"set camera free view enable=1"});
    EXPECT_EQ(registry.env.infoLines("Edit::EditCommand::setVisibleClippingObjectView"),
              Lines{"set visible clipping object enable=1"});
    EXPECT_FALSE(undo.canUndo());
}

// The captions of a menu with "-" after the greyed ones.
Lines captions(const Edit::EditCommand::ObjectMenu& menu) {
    Lines texts;
    for (const auto& entry : menu)
        texts.push_back(System::String::toUtf8(entry.text) + (entry.enabled ? "" : "-"));
    return texts;
}

TEST_F(ObjectState, TheObjectMenusFollowTheSelectionAndTheClipboard) {
    const Edit::ObjectPointer a = place(2, 0, 9, L"グループ制御(音声)");
    const Edit::ObjectPointer b = place(4, 0, 9);
    EXPECT_EQ(captions(Edit::EditCommand::getObjectAreaMenu(edit)), Lines{"貼り付け-"});
    Edit::EditCommand::ObjectMenu menu;
    Edit::EditCommand::appendObjectEditMenu(edit, menu);
    Edit::EditCommand::appendObjectGroupMenu(edit, menu);
    EXPECT_EQ(captions(menu), (Lines{"切り取り-", "コピー-", "貼り付け-", "削除-", "複製-", "グループ化-", "グループ解除-"}));

    scene().setFocusObject(b);  // a target, without a group
    b->setGroup(std::make_shared<Edit::Group>());
    menu.clear();
    Edit::EditCommand::appendObjectEditMenu(edit, menu);
    Edit::EditCommand::appendObjectGroupMenu(edit, menu);
    EXPECT_EQ(captions(menu), (Lines{"切り取り", "コピー", "貼り付け-", "削除", "複製", "グループ化-", "グループ解除"}));
    menu[1].action();  // copy
    EXPECT_EQ(edit.clipboard.objects.size(), 1u);

    scene().selectObject(a);
    scene().selectObject(b);
    EXPECT_EQ(captions(Edit::EditCommand::getObjectAreaMenu(edit)),
              (Lines{"切り取り", "コピー", "貼り付け", "削除", "複製", "対象レイヤー範囲を調整", "グループ化",
                     "グループ解除-"}));
    Edit::EditCommand::getObjectAreaMenu(edit).at(6).action();
    EXPECT_EQ(objectLines(), (Lines{"2 0,9 g1", "4 0,9 g1"}));
}

}  // namespace
