// Parameter rows in a real program window on the test's own display,
// driven with xdotool: a slider drag over three selected objects, typing a
// hex colour, and picking a colour from the bare root window.
#include "settings/rows/EffectItemColorControl.h"
#include "settings/rows/EffectItemNumberControl.h"

#include "core/CoreTestSupport.h"
#include "media/draw/Direct2DService.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowInput.h"
#include "settings/rows/RowTestSupport.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include <gtk/gtk.h>

#include <sstream>

namespace RowTest {
namespace {

using Window::WindowMouseService;

class RowWindow : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        direct2D = std::make_unique<System::Singleton<Media::Direct2DService>>();
        direct3D = std::make_unique<System::Singleton<Media::Direct3DService>>();
        resources = std::make_unique<System::Singleton<Resource::ResourceService>>();
        mouse = std::make_unique<System::Singleton<WindowMouseService>>();
        effects = std::make_unique<System::Singleton<Effect::EffectService>>();
        effects->getInstance()->registerEffect<Rows>();
        events = std::make_unique<System::Singleton<Event::EventService>>();
        undoHolder = std::make_unique<System::Singleton<Undo::UndoService>>();
        editHolder = std::make_unique<System::Singleton<Edit::EditService>>();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
        router().dragWidth = 4;
        router().dragHeight = 4;
        window = WindowTest::service().mainWindow;
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, &WindowTest::service(), 200, &area,
                                                             &area);
        xid = PanelTest::xid(window);
        if (!WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000)) {
            Platform::setFocus(window);
            ASSERT_TRUE(WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000));
        }
        for (int layer = 0; layer < 3; ++layer) objects.push_back(place(layer));
        host.target = objects[0];
    }
    void TearDown() override {
        rows.clear();
        owner.reset();
        holder.reset();
        editHolder.reset();
        undoHolder.reset();
        events.reset();
        effects.reset();
        mouse.reset();
        resources.reset();
        direct3D.reset();
        direct2D.reset();
        settings.reset();
    }

    WindowMouseService& router() { return *mouse->getInstance(); }
    Edit::EditService& edit() { return *editHolder->getInstance(); }
    Undo::UndoService& undo() { return *undoHolder->getInstance(); }
    Edit::Scene& scene() { return *edit().getCurrentScene(); }
    Edit::ObjectPointer place(int layer) {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        return scene().createObject(Rows::Name, layer, 0, 99);
    }
    static Rows& rowsOf(const Edit::ObjectPointer& object) { return static_cast<Rows&>(*object->effectList.at(0)); }

    // The row of an item of the first object, the next row down.
    template <class Row>
    Row& add(Effect::EffectItem& item) {
        std::shared_ptr<Component::EffectItemBaseControl> row =
            Component::createItemControl(*owner, objects[0]->effectList.at(0), item, host);
        row->top = nextTop;
        nextTop += row->rowHeight();
        rows.push_back(row);
        owner->updateLayout();
        row->procPaint();
        return dynamic_cast<Row&>(*row);
    }
    void xdo(std::vector<std::string> args) { WindowTest::xdotool(std::move(args), xid); }
    static std::vector<std::string> at(const Window::Rect& r) {
        return {std::to_string(r.x + r.width / 2), std::to_string(r.y + r.height / 2)};
    }

    CoreTest::ProgramFolder folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<Media::Direct2DService>> direct2D;
    std::unique_ptr<System::Singleton<Media::Direct3DService>> direct3D;
    std::unique_ptr<System::Singleton<Resource::ResourceService>> resources;
    std::unique_ptr<System::Singleton<WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Effect::EffectService>> effects;
    std::unique_ptr<System::Singleton<Event::EventService>> events;
    std::unique_ptr<System::Singleton<Undo::UndoService>> undoHolder;
    std::unique_ptr<System::Singleton<Edit::EditService>> editHolder;
    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
    Platform::WindowHandle window = nullptr;
    unsigned long xid = 0;
    Window::Rect area{0, 0, 600, 400};
    std::unique_ptr<Window::WindowControlOwner> owner;
    Host host;
    int nextTop = 10;
    std::vector<Edit::ObjectPointer> objects;
    std::vector<std::shared_ptr<Component::EffectItemBaseControl>> rows;
};

TEST_F(RowWindow, DraggingTheSliderChangesEverySelectedObjectByTheWorkedOutAmountInOneUndoStep) {
    for (const Edit::ObjectPointer& object : objects) scene().selectObject(object);
    // One unit of X (step 1) a pixel.
    Control::SliderInputControl::settings = {0, 100, false};
    auto& row = add<Component::EffectItemNumberControl>(rowsOf(objects[0]).x);
    const Window::Rect face = row.startSlider.face.visibleRect();
    const std::vector<std::string> p = at(face);
    const int x = std::stoi(p[0]), y = std::stoi(p[1]);
    xdo({"mousemove", "--window", "%w", p[0], p[1], "mousedown", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return row.startSlider.changing; }, 5000));
    xdo({"mousemove", "--window", "%w", std::to_string(x + 20), std::to_string(y)});
    xdo({"mousemove", "--window", "%w", std::to_string(x + 37), std::to_string(y)});
    ASSERT_TRUE(WindowTest::runUntil([&] { return rowsOf(objects[0]).x.values[0] == 37; }, 5000))
        << rowsOf(objects[0]).x.values[0];
    xdo({"mouseup", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return !row.startSlider.changing; }, 5000));
    for (const Edit::ObjectPointer& object : objects) EXPECT_EQ(rowsOf(object).x.values[0], 37);
    EXPECT_EQ(row.startSlider.valueText, L"37");
    undo().undo();
    for (const Edit::ObjectPointer& object : objects) EXPECT_EQ(rowsOf(object).x.values[0], 0);
    EXPECT_FALSE(undo().canUndo());
}

TEST_F(RowWindow, TypingAHexCodeAndPickingFromTheRootSetTheColour) {
    auto& row = add<Component::EffectItemColorControl>(rowsOf(objects[0]).color);
    xdo({"mousemove", "--window", "%w", at(row.hexField.visibleRect())[0], at(row.hexField.visibleRect())[1],
         "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return row.hexField.edit.visible; }, 5000));
    xdo({"type", "--delay", "20", "ff8000"});
    xdo({"key", "Return"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return !row.hexField.edit.visible; }, 5000));
    const Effect::EffectItemColor& color = rowsOf(objects[0]).color;
    EXPECT_EQ(std::make_tuple(int(color.red), int(color.green), int(color.blue)), std::make_tuple(255, 128, 0));
    EXPECT_EQ(row.rgbText.text, L"255,128,0");
    undo().undo();
    EXPECT_EQ(int(color.green), 255) << "the typing was one step";
    undo().redo();

    // The pick button, then a click on the bare root (green) in a corner
    // of the screen the window leaves bare.
    WindowTest::runProgram({"xdotool", "windowmove", "%w", "0", "0"}, xid);
    std::istringstream size(WindowTest::runProgram({"xdotool", "getdisplaygeometry"}, xid));
    int width = 0, height = 0;
    size >> width >> height;
    WindowTest::runProgram({"xsetroot", "-solid", "#00ff00"}, xid);
    xdo({"mousemove", "--window", "%w", at(row.pickButton.visibleRect())[0], at(row.pickButton.visibleRect())[1],
         "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return row.picking; }, 5000));
    WindowTest::runProgram({"xdotool", "mousemove", std::to_string(width - 3), std::to_string(height - 3)}, xid);
    WindowTest::settle();
    EXPECT_TRUE(row.picking) << "leaving the window keeps the pick";
    WindowTest::runProgram({"xdotool", "click", "1"}, xid);
    ASSERT_TRUE(WindowTest::runUntil([&] { return !row.picking; }, 5000));
    EXPECT_EQ(std::make_tuple(int(color.red), int(color.green), int(color.blue)), std::make_tuple(0, 255, 0));
}

}  // namespace
}  // namespace RowTest
