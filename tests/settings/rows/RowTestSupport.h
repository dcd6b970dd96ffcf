#pragma once
// Parameter-row tests: the drawing, routing, edit and undo services over a
// registry holding one effect kind with an item of every row kind, a block
// stand-in that hosts the rows in an owner drawing into a 400 x 200 image,
// and objects of that kind on a layer table.
#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "edit/model/Project.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/RegistryTestSupport.h"
#include "effect/item/EffectItemButton.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemColor.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemSelect.h"
#include "effect/item/EffectItemText.h"
#include "effect/registry/EffectService.h"
#include "media/DrawingFixture.h"
#include "media/draw/RenderTargetWindow.h"
#include "platform/cairo/Brush.h"
#include "settings/rows/EffectItemBaseControl.h"
#include "settings/rows/ItemControlFactory.h"
#include "support/VirtualDisplay.h"
#include "window/WindowControlOwner.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace RowTest {

inline Effect::EffectItemSelect::SharedList& oddList() {
    static Effect::EffectItemSelect::SharedList list = [] {
        Effect::EffectItemSelect::SharedList odd;
        odd.setItem(1, L"一");
        odd.setItem(3, L"三");
        odd.setItem(5, L"五");
        return odd;
    }();
    return list;
}

// A filter with one item of every row kind.
class Rows : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"行の種類";
    Rows() : EffectBase(Name, Effect::EffectKind::Filter, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Rows>(); }
    int getLayerRange() const override { return range.value; }

    Effect::EffectItemNumber x{items, L"X", 0, -1000, 1000, 1};
    Effect::EffectItemNumber zoom{items, L"拡大率", 100, 0, 5000, 0.1};
    Effect::EffectItemCheck check{items, L"反転"};
    Effect::EffectItemCheckButton left{items, L"左", false, 0.0f, 0.5f};
    Effect::EffectItemCheckButton right{items, L"右", false, 0.5f, 1.0f};
    Effect::EffectItemColor color{items, L"色", 255, 255, 255};
    Effect::EffectItemColor light{items, L"光色", 10, 20, 30, false, Effect::ItemType::ColorOrNone};
    Effect::EffectItemSelect select{items, L"種類", 1, oddList()};
    Effect::EffectItemSelectButton mode{items, L"モード", 3, oddList()};
    Effect::EffectItemString caption{items, L"名前", L"abc"};
    Effect::EffectItemText text{items, L"テキスト", L"本文"};
    Effect::EffectItemInteger count{items, L"数", 3, 3, 0, 10};
    Effect::EffectItemLayerRange range{items, L"対象レイヤー数", 0};
    Effect::EffectItemInteger hidden{items, L"隠し", 0, 0, 0, 10, nullptr, Effect::ItemType::HiddenInteger};
    Effect::EffectItemButton button{items, L"参照", nullptr, 0.5f, 1.0f};
};

// What an effect block gives its rows.
class Host : public Component::EffectItemRowHost {
public:
    Edit::ObjectPointer getTargetObject() const override { return target; }
    int getSectionIndex() const override { return section; }
    const Component::SettingRowOptions& getRowOptions() const override { return options; }
    std::shared_ptr<Control::EditFocusGroup::Members> getFocusGroup() override {
        if (!group) group = std::make_shared<Control::EditFocusGroup::Members>();
        return group;
    }
    void paintItemBackground(Window::WindowControlRenderTarget& control, const Effect::EffectBase&) override {
        Control::PaintScope scope(control);
        if (scope.empty()) return;
        control.fill(scope.brushes()[control.hover ? Control::Brushes::GroupingHover : Control::Brushes::Grouping]);
        ++backgrounds;
    }

    Edit::ObjectPointer target;
    int section = 0;
    Component::SettingRowOptions options;
    std::shared_ptr<Control::EditFocusGroup::Members> group;
    int backgrounds = 0;
};

class RowFixture : public DrawingTest::DrawingServices {
protected:
    RowFixture() : DrawingServices(true) {}

    void SetUp() override {
        TestSupport::useTestDisplay();
        DrawingServices::SetUp();
        mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
        effects = std::make_unique<System::Singleton<Effect::EffectService>>();
        System::Singleton<Effect::EffectService>::getInstance()->registerEffect<Rows>();
        events = std::make_unique<System::Singleton<Event::EventService>>();
        undoHolder = std::make_unique<System::Singleton<Undo::UndoService>>();
        editHolder = std::make_unique<System::Singleton<Edit::EditService>>();
        hostImage = std::make_unique<Media::RenderTargetWindow>();
        hostImage->createRenderTarget(400, 200);
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, hostImage.get(), 200, &clip, &source);
        owner->updateLayout();
    }
    void TearDown() override {
        rows.clear();
        owner.reset();
        hostImage.reset();
        editHolder.reset();
        undoHolder.reset();
        events.reset();
        effects.reset();
        mouse.reset();
        DrawingServices::TearDown();
    }

    Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }
    Undo::UndoService& undo() { return *System::Singleton<Undo::UndoService>::getInstance(); }
    Edit::Scene& scene() { return *edit().getCurrentScene(); }

    // An object with a Rows filter on the layer.
    Edit::ObjectPointer place(int layer) {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        return scene().createObject(Rows::Name, layer, 0, 99);
    }
    static std::shared_ptr<Effect::EffectBase>& effectOf(const Edit::ObjectPointer& object) {
        return object->effectList.at(0);
    }
    static Rows& rowsOf(const Edit::ObjectPointer& object) { return static_cast<Rows&>(*effectOf(object)); }

    // The row of an item of the target's effect, laid out across the image
    // at the top.
    template <class Row>
    Row& rowOf(Effect::EffectItem& item) {
        std::shared_ptr<Component::EffectItemBaseControl> row =
            Component::createItemControl(*owner, effectOf(host.target), item, host);
        EXPECT_TRUE(row);
        rows.push_back(row);
        row->updateLayout();
        row->procMove();
        return dynamic_cast<Row&>(*row);
    }

    std::uint32_t at(int x, int y) const { return DrawingTest::pixel(hostImage->backBuffer(), x, y) & 0xFFFFFF; }

    Platform::WindowHandle window = reinterpret_cast<Platform::WindowHandle>(0x10);
    Window::Rect clip{0, 0, 400, 200};
    Window::Rect source{0, 0, 400, 200};
    std::unique_ptr<System::Singleton<Window::WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Effect::EffectService>> effects;
    std::unique_ptr<System::Singleton<Event::EventService>> events;
    std::unique_ptr<System::Singleton<Undo::UndoService>> undoHolder;
    std::unique_ptr<System::Singleton<Edit::EditService>> editHolder;
    std::unique_ptr<Media::RenderTargetWindow> hostImage;
    std::unique_ptr<Window::WindowControlOwner> owner;
    Host host;
    std::vector<std::shared_ptr<Component::EffectItemBaseControl>> rows;
};

}  // namespace RowTest
