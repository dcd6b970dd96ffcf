// The text edit control and the slider in a real program window on a
// display of the test's own, driven with xdotool: typing, selection and
// the clipboard (read back with xclip), an input method's result, and the
// slider's drag, click-to-type entry and gestures.
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "media/draw/Direct2DService.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowInput.h"
#include "support/PinnedFonts.h"
#include "support/VirtualDisplay.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"
#include "window/XCursorProbe.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/EditControl.h"
#include "window/controls/SliderInputControl.h"
#include "window/controls/WindowTitleControl.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Window::WindowMouseService;

// The area the controls sit in: the window's background.
class Panel : public Window::WindowControlRenderTarget {
public:
    using WindowControlRenderTarget::WindowControlRenderTarget;
    void procPaint() override {
        Control::PaintScope scope(*this);
        if (!scope.empty()) fill(scope.brushes()[Control::Brushes::Background]);
    }
};

class ControlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        direct2D = std::make_unique<System::Singleton<Media::Direct2DService>>();
        direct3D = std::make_unique<System::Singleton<Media::Direct3DService>>();
        resources = std::make_unique<System::Singleton<Resource::ResourceService>>();
        mouse = std::make_unique<System::Singleton<WindowMouseService>>();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
        router().dragWidth = 4;
        router().dragHeight = 4;
        router().doubleClickTime = 500;
        router().tickCount = [this] { return clock; };
        window = WindowTest::service().mainWindow;
        area = {0, 0, 600, 400};
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, &WindowTest::service(), 200, &area,
                                                             &area);
        panel = std::make_unique<Panel>(*owner, 0, 0, 0, 0);
        xid = WindowTest::windowId(GTK_WIDGET(Platform::toolkitWindow(window)));
        if (!WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000)) {
            Platform::setFocus(window);
            ASSERT_TRUE(WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000));
        }
    }
    void TearDown() override {
        slider.reset();
        edit.reset();
        panel.reset();
        owner.reset();
        holder.reset();
        mouse.reset();
        resources.reset();
        direct3D.reset();
        direct2D.reset();
        settings.reset();
    }

    WindowMouseService& router() { return *mouse->getInstance(); }

    std::string run(std::vector<std::string> args) { return WindowTest::runProgram(std::move(args), xid); }
    void xdo(std::vector<std::string> args) { WindowTest::xdotool(std::move(args), xid); }
    void settle() { WindowTest::settle(); }

    CoreTest::ProgramFolder folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<Media::Direct2DService>> direct2D;
    std::unique_ptr<System::Singleton<Media::Direct3DService>> direct3D;
    std::unique_ptr<System::Singleton<Resource::ResourceService>> resources;
    std::unique_ptr<System::Singleton<WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
    Platform::WindowHandle window = nullptr;
    unsigned long xid = 0;
    std::uint64_t clock = 1000000;
    Window::Rect area;
    std::unique_ptr<Window::WindowControlOwner> owner;
    std::unique_ptr<Panel> panel;
    std::unique_ptr<Control::EditControl> edit;
    std::unique_ptr<Control::SliderInputControl> slider;
};

TEST_F(ControlWindowTest, TypedTextIsSelectedAllAndCopiedToTheClipboard) {
    // An edit at (100, 100), 300 x 28.
    Window::Rect editArea{100, 100, 300, 28};
    Window::WindowControlOwner editOwner(nullptr, window, &WindowTest::service(), 200, &area, &editArea);
    edit = std::make_unique<Control::EditControl>(editOwner);
    editOwner.updateLayout();
    int changes = 0;
    edit->onChange = [&](Control::EditControl&) { ++changes; };
    xdo({"mousemove", "--window", "%w", "150", "114", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return router().focus == edit.get(); }, 5000));
    xdo({"type", "--delay", "20", "abc"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return edit->text == u"abc"; }, 5000))
        << edit->text.size() << " units";
    EXPECT_EQ(changes, 3);
    xdo({"key", "ctrl+a"});
    EXPECT_EQ(edit->selectedText(), u"abc");
    xdo({"key", "ctrl+c"});
    EXPECT_EQ(run({"xclip", "-o", "-selection", "clipboard"}), "abc");
    // Shift+Left from the end shrinks nothing: the anchor stayed at the caret.
    xdo({"key", "shift+Left", "shift+Left"});
    EXPECT_EQ(edit->selectedText(), u"bc");
    xdo({"key", "ctrl+x"});
    EXPECT_EQ(edit->text, u"a");
    EXPECT_EQ(run({"xclip", "-o", "-selection", "clipboard"}), "bc");
    // A text another program put there pastes with its line break made LF.
    run({"sh", "-c", "printf 'x\\r\\ny' | xclip -i -selection clipboard"});
    xdo({"key", "ctrl+v"});
    EXPECT_EQ(edit->text, u"ax\ny");
}

TEST_F(ControlWindowTest, AnInputMethodResultGoesIntoTheEditWhole) {
    Window::Rect editArea{100, 100, 300, 28};
    Window::WindowControlOwner editOwner(nullptr, window, &WindowTest::service(), 200, &area, &editArea);
    edit = std::make_unique<Control::EditControl>(editOwner);
    editOwner.updateLayout();
    xdo({"mousemove", "--window", "%w", "150", "114", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return router().focus == edit.get(); }, 5000));
    GtkIMContext* im = Platform::imeContext(window);
    ASSERT_NE(im, nullptr);
    g_signal_emit_by_name(im, "preedit-start");
    g_signal_emit_by_name(im, "preedit-changed");
    EXPECT_TRUE(router().ime.associated);
    g_signal_emit_by_name(im, "commit", "日本語\U00020B9F");
    g_signal_emit_by_name(im, "preedit-end");
    EXPECT_EQ(edit->text, u"日本語\U00020B9F");
    EXPECT_EQ(edit->caret, 5);
    xdo({"key", "BackSpace"});
    EXPECT_EQ(edit->text, u"日本語") << "the pair goes whole";
}

TEST_F(ControlWindowTest, TheSliderDragsInStepsAndAClickOpensTheEntry) {
    Control::SliderInputControl::settings = {2, 100, false};  // the whole range across the slider
    // A slider at (100, 200), 300 x 24, from -100 to 100 in hundredths.
    slider = std::make_unique<Control::SliderInputControl>(*panel, 100, 200, 24);
    slider->setRange(0, -100, 100, 0.01);
    int begins = 0, ends = 0, changes = 0;
    slider->onBeginChange = [&](Control::SliderInputControl&) { ++begins; };
    slider->onEndChange = [&](Control::SliderInputControl&) { ++ends; };
    slider->onChange = [&](Control::SliderInputControl&) { ++changes; };
    ASSERT_TRUE(slider->minusButton.visible);
    const Window::Rect face = slider->face.visibleRect();
    const int fx = face.x + face.width / 2, fy = face.y + face.height / 2;
    // 20000 steps over the slider's 500 px: 40 a pixel, snapped to 25.
    ASSERT_EQ(slider->visibleRect().width, 500);
    EXPECT_EQ(slider->dragQuantum, 25);
    xdo({"mousemove", "--window", "%w", std::to_string(fx), std::to_string(fy), "mousedown", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return begins == 1; }, 5000));
    xdo({"mousemove", "--window", "%w", std::to_string(fx + 10), std::to_string(fy)});
    ASSERT_TRUE(WindowTest::runUntil([&] { return slider->value == 400; }, 5000)) << slider->value;
    xdo({"mouseup", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return ends == 1; }, 5000));
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(slider->valueText, L"4.00");
    EXPECT_TRUE(slider->face.visible);
    EXPECT_GE(changes, 1);

    // A click without moving opens the entry, everything selected.
    clock += 1000;
    xdo({"click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return slider->edit.visible; }, 5000));
    EXPECT_FALSE(slider->face.visible);
    EXPECT_EQ(router().focus, &slider->edit);
    EXPECT_EQ(slider->edit.text, u"4.00");
    EXPECT_EQ(slider->edit.selectedText(), u"4.00");
    EXPECT_FALSE(router().ime.associated) << "numbers are typed without the input method";
    EXPECT_EQ(begins, 2);
    EXPECT_EQ(ends, 2);
    // Typing replaces the selection; letters do not pass the filter.
    xdo({"type", "--delay", "20", "--", "-2x.25"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return slider->value == -225; }, 5000))
        << slider->value << " " << testing::PrintToString(slider->edit.text);
    EXPECT_EQ(slider->edit.text, u"-2.25");
    EXPECT_EQ(begins, 3);
    EXPECT_EQ(ends, 2);
    // The wheel towards the user adds a step and rewrites the entry.
    xdo({"click", "5"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return slider->value == -224; }, 5000)) << slider->value;
    EXPECT_EQ(slider->edit.text, u"-2.24");
    xdo({"key", "Return"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return slider->face.visible; }, 5000));
    EXPECT_FALSE(slider->edit.visible);
    EXPECT_EQ(router().focus, nullptr);
    EXPECT_EQ(slider->edit.text, u"-2.24") << "Enter was no character";
    EXPECT_EQ(begins, 3);
    EXPECT_EQ(ends, 3);
    EXPECT_DOUBLE_EQ(slider->getValue(), -2.24);
}

TEST_F(ControlWindowTest, TheButtonsStepTheValueAndAHiddenPointerStaysWhereTheDragBegan) {
    Control::SliderInputControl::settings = {0, 100, false};  // a unit a pixel
    slider = std::make_unique<Control::SliderInputControl>(*panel, 100, 200, 24);
    slider->setRange(5, 0, 100, 1);
    slider->hideCursorWhileDragging = true;
    int begins = 0, ends = 0;
    slider->onBeginChange = [&](Control::SliderInputControl&) { ++begins; };
    slider->onEndChange = [&](Control::SliderInputControl&) { ++ends; };
    const Window::Rect plus = slider->plusButton.visibleRect();
    xdo({"mousemove", "--window", "%w", std::to_string(plus.x + plus.width / 2), std::to_string(plus.y + 5),
         "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return ends == 1; }, 5000))
        << begins << " " << slider->value << " plus " << plus.x << "," << plus.y << " " << plus.width << "x"
        << plus.height;
    EXPECT_EQ(slider->value, 6);
    EXPECT_EQ(begins, 1);

    const Window::Rect face = slider->face.visibleRect();
    const int fx = face.x + 40, fy = face.y + 10;
    xdo({"mousemove", "--window", "%w", std::to_string(fx), std::to_string(fy), "mousedown", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return begins == 2; }, 5000));
    const Platform::POINT start = Platform::getCursorPos();
    xdo({"mousemove_relative", "--", "7", "0"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return slider->value == 13; }, 5000)) << slider->value;
    xdo({"mousemove_relative", "--", "7", "0"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return slider->value == 20; }, 5000)) << slider->value;
    const Platform::POINT now = Platform::getCursorPos();
    EXPECT_EQ(now.x, start.x) << "the pointer went back where the drag began";
    xdo({"mouseup", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return ends == 2; }, 5000));
    EXPECT_EQ(begins, 2);
    EXPECT_FALSE(slider->edit.visible) << "a drag opens no entry";
}

// A second program window standing for a floating settings window.
class FloatingWindow : public Media::RenderTargetWindow, public Window::WindowProcHook {
public:
    explicit FloatingWindow(Platform::WindowHandle mainWindow) {
        handle = Platform::createWindow(Window::WindowService::className, "floating", 300, 300, 320, 120, mainWindow);
        Platform::setWindowUserData(handle, static_cast<Window::WindowProcHook*>(this));
        createRenderTarget(handle);
        Platform::showWindow(handle, Platform::SW_SHOW);
    }
    ~FloatingWindow() {
        Platform::setWindowUserData(handle, nullptr);
        Platform::destroyWindow(handle);
    }
    LRESULT wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == Platform::WM_PAINT) {
            paint(reinterpret_cast<cairo_t*>(lParam), [this] {
                if (title) title->procPaint();
            });
            return 0;
        }
        if (message == Platform::WM_SIZE) resizeRenderTarget(Platform::LOWORD(lParam), Platform::HIWORD(lParam));
        return Window::defaultWndProc(window, message, wParam, lParam);
    }
    Platform::WindowHandle handle = nullptr;
    Component::WindowTitleControl* title = nullptr;
};

TEST_F(ControlWindowTest, AFloatingWindowMovesWithItsTitleAndAStillClickRunsOnClick) {
    FloatingWindow floating(window);
    Window::Rect floatArea{0, 0, 320, 120};
    Window::WindowControlOwner floatOwner(nullptr, floating.handle, &floating, 200, &floatArea, &floatArea);
    Component::WindowTitleControl title(floatOwner, 24, L"設定", nullptr);
    floating.title = &title;
    int clicks = 0;
    title.onClick = [&](Component::WindowTitleControl&) { ++clicks; };
    std::vector<Control::IconButtonControl*> added;
    for (const Control::IconShape* icon : {&Control::IconPlay, &Control::IconStop, &Control::IconPause})
        added.push_back(title.addIconButton(*icon));
    // In adding order, the last at the right edge.
    EXPECT_EQ(added[0]->visibleRect().x, 320 - 72);
    EXPECT_EQ(added[1]->visibleRect().x, 320 - 48);
    EXPECT_EQ(added[2]->visibleRect().x, 320 - 24);
    EXPECT_EQ(added[2]->visibleRect().width, 20);
    ASSERT_TRUE(title.floats());

    const unsigned long floatId = WindowTest::windowId(GTK_WIDGET(Platform::toolkitWindow(floating.handle)));
    const auto position = [&] {
        const std::string info = run({"xwininfo", "-id", std::to_string(floatId)});
        const auto value = [&](const char* key) {
            const std::size_t at = info.find(key);
            return at == std::string::npos ? -1 : std::stoi(info.substr(at + std::string(key).size()));
        };
        return std::make_pair(value("Absolute upper-left X:"), value("Absolute upper-left Y:"));
    };
    ASSERT_TRUE(WindowTest::runUntil([&] { return position().first == 300; }, 5000));
    const std::string id = std::to_string(floatId);
    run({"xdotool", "mousemove", "--window", id, "100", "12", "mousedown", "1"});
    run({"xdotool", "mousemove_relative", "--", "20", "10", "mousemove_relative", "--", "20", "20", "mouseup",
         "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return position() == std::make_pair(340, 330); }, 5000))
        << position().first << "," << position().second;
    EXPECT_EQ(clicks, 0) << "a drag is no click";
    clock += 1000;
    run({"xdotool", "mousemove", "--window", id, "100", "12", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return clicks == 1; }, 5000));
    EXPECT_EQ(position(), std::make_pair(340, 330));
    floating.title = nullptr;
}

TEST_F(ControlWindowTest, ADockedTitleRunsOnClickOnThePress) {
    Component::WindowTitleControl title(*owner, 24, L"設定", nullptr);
    int clicks = 0;
    title.onClick = [&](Component::WindowTitleControl&) { ++clicks; };
    EXPECT_FALSE(title.floats());
    xdo({"mousemove", "--window", "%w", "200", "12", "mousedown", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return clicks == 1; }, 5000));
    xdo({"mouseup", "1"});
    EXPECT_EQ(clicks, 1);
}

}  // namespace
