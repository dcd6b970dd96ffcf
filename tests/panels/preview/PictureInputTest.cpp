// The preview picture's input over the anchor control: the hover test and
// its repaints, the Ctrl rule of presses, arrow nudges, the tooltip texts,
// and the selection and items of the context menu.
#include "panels/preview/PreviewMenuEntries.h"
#include "panels/preview/PictureInput.h"

#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "platform/gtk/VirtualKeys.h"
#include "window/WindowControlOwner.h"

#include <gtest/gtest.h>

namespace {

using Anchor::AnchorEvent;
using Anchor::AnchorItem;
namespace Input = Component::PreviewInput;
using Component::PreviewContextMenu;

class Named : public Effect::EffectBase {
public:
    Named(const wchar_t* name, std::uint8_t kind)
        : EffectBase(name, kind, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Named>(name, effectType); }
    bool anchorEvent(AnchorEvent& event) override {
        events.push_back(event);
        return false;
    }
    std::vector<AnchorEvent> events;
};

// Counts its repaints.
class Picture : public Anchor::AnchorControl {
public:
    using AnchorControl::AnchorControl;
    void procPaint() override { ++paints; }
    int paints = 0;
};

class PreviewInputTest : public ::testing::Test {
protected:
    PreviewInputTest() {
        owner.updateLayout();
        picture.pictureRect = {0, 0, 200, 100};
        picture.isKeyHeld = [this](int key) { return key == Platform::VK::CONTROL && ctrl; };
        picture.isDoubleClick = [this] { return doubleClick; };
        object->layer = 0;
        object->start = 0;
        object->end = 30;
        object->boundaries = {10};
        object->effectList = {input, filter};
    }

    AnchorItem at(std::int32_t type, float x, float y, int index, std::uint32_t flags = 0x8000,
                  std::shared_ptr<Effect::EffectBase> effect = nullptr) {
        AnchorItem made(type, flags, object, effect ? effect : filter, index);
        made.points = {{x, y}};
        return made;
    }
    void show(std::vector<AnchorItem> list) { picture.setItems(std::move(list)); }
    const Window::MenuEntry& entry(const Window::MenuEntries& menu, const wchar_t* text) {
        const Window::MenuEntry* found = Window::findMenuEntry(menu, text);
        EXPECT_NE(found, nullptr) << "no item";
        static const Window::MenuEntry none;
        return found ? *found : none;
    }

    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *editHolder.getInstance();
    Edit::Scene& scene = *edit.getCurrentScene();
    Window::Rect clip{0, 0, 200, 100};
    Window::Rect source{0, 0, 200, 100};
    Window::WindowControlOwner owner{nullptr, nullptr, nullptr, 200, &clip, &source};
    Picture picture{owner, 0, 0, 0, 0};
    std::shared_ptr<Named> input = std::make_shared<Named>(L"画像ファイル", Effect::EffectKind::Input);
    std::shared_ptr<Named> filter = std::make_shared<Named>(L"座標", Effect::EffectKind::Filter);
    std::shared_ptr<Named> output = std::make_shared<Named>(L"標準描画", Effect::EffectKind::Output);
    Edit::ObjectPointer object = std::make_shared<Edit::Object>();
    bool ctrl = false;
    bool doubleClick = false;
};

TEST_F(PreviewInputTest, HoveringRepaintsOncePerChangedAnchor) {
    std::vector<AnchorItem> list;
    list.push_back(at(AnchorItem::Circle, 0, 0, 100000000));
    list.push_back(at(AnchorItem::Circle, 0.5f, 0, 1));
    show(std::move(list));
    Input::mouseMove(picture, 100, 50);
    Input::mouseMove(picture, 105, 52);  // within the same circle
    EXPECT_EQ(picture.paints, 1);
    EXPECT_EQ(picture.hovered, &picture.items[0]);
    Input::mouseMove(picture, 150, 50);
    EXPECT_EQ(picture.paints, 2);
    EXPECT_EQ(picture.hovered, &picture.items[1]);
    Input::mouseMove(picture, 10, 10);
    Input::mouseLeave(picture);
    EXPECT_EQ(picture.paints, 3);
    EXPECT_EQ(picture.hovered, nullptr);
}

TEST_F(PreviewInputTest, CtrlPressesTheWholeObjectOfASectionHandle) {
    std::vector<AnchorItem> list;
    list.push_back(at(AnchorItem::Circle, 0, 0, 1, 0x88000));
    list.push_back(at(AnchorItem::LargeCircle, 0.5f, 0, 100000000));
    show(std::move(list));
    Input::mouseMove(picture, 100, 50);

    ctrl = true;
    Input::leftButtonDown(picture, 100, 50);
    ASSERT_EQ(picture.dragRecords.size(), 1u);
    EXPECT_EQ(picture.dragRecords[0].index, 100000000);
    Input::dragCancel(picture);

    ctrl = false;
    Input::leftButtonDown(picture, 100, 50);
    ASSERT_EQ(picture.dragRecords.size(), 1u);
    EXPECT_EQ(picture.dragRecords[0].index, 1);
    Input::dragCancel(picture);
}

TEST_F(PreviewInputTest, CtrlOnASectionHandleWithoutAWholeObjectHandlePressesNothing) {
    const auto camera = std::make_shared<Edit::Object>();
    std::vector<AnchorItem> list;
    list.push_back(at(AnchorItem::Circle, 0, 0, 1, 0x88000));
    list.emplace_back(AnchorItem::CameraView, 0x8000, camera, filter, 100000000);
    show(std::move(list));
    Input::mouseMove(picture, 100, 50);
    ctrl = true;
    Input::leftButtonDown(picture, 100, 50);
    EXPECT_EQ(picture.dragMode, 0);
    EXPECT_TRUE(filter->events.empty());
    EXPECT_NE(scene.focusObject, camera);
    // A double click there focuses the camera control's object.
    doubleClick = true;
    Input::leftButtonDown(picture, 100, 50);
    EXPECT_EQ(scene.focusObject, camera);
    EXPECT_EQ(picture.dragMode, 0);
}

TEST_F(PreviewInputTest, ArrowKeysNudgeOnlyARunningDrag) {
    EXPECT_FALSE(Input::dragKey(picture, Platform::VK::RIGHT));
    std::vector<AnchorItem> list;
    list.push_back(at(AnchorItem::Circle, 0, 0, 100000000));
    show(std::move(list));
    Input::mouseMove(picture, 100, 50);
    Input::leftButtonDown(picture, 100, 50);
    ASSERT_EQ(picture.dragMode, 1);
    Input::mouseDrag(picture, 4, -2);
    EXPECT_TRUE(Input::dragKey(picture, Platform::VK::RIGHT));
    EXPECT_TRUE(Input::dragKey(picture, Platform::VK::DOWN));
    EXPECT_TRUE(Input::dragKey(picture, Platform::VK::DOWN));
    EXPECT_TRUE(Input::dragKey(picture, Platform::VK::LEFT));
    EXPECT_TRUE(Input::dragKey(picture, Platform::VK::UP));
    EXPECT_FALSE(Input::dragKey(picture, Platform::VK::RETURN));
    const AnchorEvent& last = filter->events.back();
    EXPECT_EQ(last.kind, AnchorEvent::Drag);
    EXPECT_EQ(last.x, 4);
    EXPECT_EQ(last.y, -1);
    Input::keyUp(picture);
    EXPECT_EQ(picture.dragMode, 0);
    EXPECT_FALSE(Input::dragKey(picture, Platform::VK::LEFT));
}

TEST_F(PreviewInputTest, TooltipTextsPerHandle) {
    const std::wstring layer = edit.getLayerName(0);
    AnchorItem drawingOnly;
    drawingOnly.type = AnchorItem::Cross;
    AnchorItem removed = at(AnchorItem::Circle, 0, 0, 100000000);
    removed.object = std::make_shared<Edit::Object>();
    removed.object->layer = -1;
    struct Case {
        const char* name;
        AnchorItem item;
        std::wstring text;
    };
    const Case cases[] = {
        {"drawing only", drawingOnly, L""},
        {"object off its layer", removed, L""},
        {"not owned", at(AnchorItem::Circle, 0, 0, 100000000, 0), L""},
        {"clipping button", at(AnchorItem::Image, 0, 0, 200000000, 0x68000), L"クリッピングオブジェクトの視覚化"},
        {"view-mode button", at(AnchorItem::Image, 0, 0, 200000001, 0x68000),
         L"カメラ制御の視点モードを切り替え\n緑色:カメラ視点\n白色:カメラ視点(編集不可)\n灰色:編集用視点(自由移動)"},
        {"size corner", at(AnchorItem::Square, 0, 0, 1, 0x6080a0), L"サイズの変更"},
        {"zoom corner", at(AnchorItem::Square, 0, 0, 1, 0x2080a0), L"拡大率の変更"},
        {"filter handle", at(AnchorItem::Circle, 0, 0, 100000000), layer + L" : 座標"},
        {"output handle names the input", at(AnchorItem::Polygon, 0, 0, 100000000, 0x8000, output),
         layer + L" : 画像ファイル"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(Input::getTooltipText(test.item), test.text);
    }
}

TEST_F(PreviewInputTest, ARightClickSelectsTheObjectUnderThePointerUnlessCtrlIsHeld) {
    const auto other = std::make_shared<Edit::Object>();
    std::vector<AnchorItem> list;
    list.push_back(at(AnchorItem::Circle, 0, 0, 1, 0x88000));
    list.push_back(at(AnchorItem::Polygon, 0.5f, 0, 100000000, 0x18000));
    list.back().points = {{0.4f, 0.2f}, {0.4f, -0.2f}, {0.8f, -0.2f}, {0.8f, 0.2f}};
    // A section handle whose effect has no whole-object handle.
    list.emplace_back(AnchorItem::Circle, 0x88000, other, output, 2);
    list.back().points = {{-0.6f, 0}};
    show(std::move(list));

    ctrl = true;
    PreviewContextMenu::selectAt(picture, 160, 50);
    EXPECT_FALSE(object->selected);
    ctrl = false;
    PreviewContextMenu::selectAt(picture, 40, 50);
    EXPECT_FALSE(other->selected);
    // The section handle selects through its object's whole-object handle.
    PreviewContextMenu::selectAt(picture, 100, 50);
    EXPECT_TRUE(object->selected);
    ASSERT_EQ(scene.selection.objects.size(), 1u);
}

TEST_F(PreviewInputTest, MenuItemsFollowTheSelectionAndTheCursor) {
    Component::PreviewMenuHost host;
    host.picture = &picture;
    Window::MenuEntries menu = PreviewContextMenu::build(host);
    // Nothing selected, nothing copied.
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu[0].text, L"貼り付け");
    EXPECT_FALSE(menu[0].enabled);
    EXPECT_EQ(Window::findMenuEntry(menu, L"中間点を追加"), nullptr);
    ASSERT_NE(Window::findMenuEntry(menu, L"クリップボードにイメージをコピー(背景透過)"), nullptr);

    scene.selectObject(object);
    struct Case {
        int cursor;
        bool add, remove;
    };
    // Sections 0..10 and 10..30.
    for (const Case& test : {Case{5, true, false}, Case{10, false, true}, Case{30, false, false}, Case{40, false, false}}) {
        SCOPED_TRACE(test.cursor);
        scene.cursorFrame = test.cursor;
        menu = PreviewContextMenu::build(host);
        EXPECT_EQ(entry(menu, L"中間点を追加").enabled, test.add);
        EXPECT_EQ(entry(menu, L"中間点を削除").enabled, test.remove);
    }

    // The options read and toggle the edit settings when chosen.
    edit.anchorObjectMoveSnap = 1;
    menu = PreviewContextMenu::build(host);
    const Window::MenuEntry& snap = entry(menu, L"オブジェクトのスナップ(プレビュー)");
    EXPECT_TRUE(snap.checked);
    snap.command();
    EXPECT_EQ(edit.anchorObjectMoveSnap, 0);
    int previews = 0;
    host.requestPreviewFrame = [&] { ++previews; };
    menu = PreviewContextMenu::build(host);
    entry(menu, L"オブジェクトの移動軌跡に点を表示").command();
    EXPECT_EQ(edit.displayObjectMovePoint, 0);
    EXPECT_EQ(previews, 1);
}

}  // namespace
