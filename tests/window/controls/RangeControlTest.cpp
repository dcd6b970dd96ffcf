// The track bar, the zoom gauge, the slider and the click-to-edit field in
// an owner: what their presses and moves ask for, and what they draw.
#include "ControlFixture.h"
#include "window/controls/ButtonInputControl.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/SliderInputControl.h"
#include "window/controls/TrackBarControl.h"
#include "window/controls/WindowTitleControl.h"
#include "window/controls/ZoomGaugeControl.h"

#include <vector>

namespace {

class Panel : public Window::WindowControlRenderTarget {
public:
    using WindowControlRenderTarget::WindowControlRenderTarget;
    void procPaint() override {
        Control::PaintScope scope(*this);
        if (!scope.empty()) fill(scope.brushes()[Control::Brushes::Background]);
    }
};

class RangeControlTest : public ControlTest::ControlFixture {
protected:
    // The press as the router delivers it: the object under the point
    // becomes the pressed one first.
    void press(Window::WindowMouse& object, int x, int y) {
        service().pressed = &object;
        object.procLButtonDown(x, y);
    }
};

TEST_F(RangeControlTest, APressOnTheTrackAsksForThePositionAndGoesOnAsAKnobDrag) {
    Control::TrackBarControl bar(*owner, 0, 0, 312, 40);  // track 300 px from x 6
    bar.setMaximum(300);
    std::vector<int> asked;
    bar.onChange = [&](Control::TrackBarControl& b, int p) {
        asked.push_back(p);
        b.setPosition(p);
    };
    press(bar, 0, 20);  // the far left
    EXPECT_EQ(asked, std::vector<int>{});  // already at 0: nothing to ask
    press(bar, 156, 20);
    EXPECT_EQ(asked, (std::vector<int>{150}));
    EXPECT_EQ(service().pressed, &bar.knob);
    EXPECT_TRUE(bar.knob.captured);
    EXPECT_EQ(bar.dragStartValue, 150);
    EXPECT_EQ(bar.knob.knobRect.x, 150);  // 300 * 150 / 301, rounded
    EXPECT_EQ(bar.knob.knobRect.width, 12);
    bar.knob.procMouseDrag(50, 3);  // 50 px on from the press
    EXPECT_EQ(asked.back(), 200);
    bar.knob.procMouseDrag(-500, 0);
    EXPECT_EQ(asked.back(), 0);  // clamped
}

TEST_F(RangeControlTest, TheZoomGaugeAsksForTheLevelUnderThePointerAndTheWheelsStep) {
    Control::ZoomGaugeControl gauge(*owner, 0, 0, 260, 20);
    std::vector<int> asked;
    gauge.onChange = [&](Control::ZoomGaugeControl& g, Edit::FrameZoom& z) {
        asked.push_back(z.zoom);
        g.zoom = z;
    };
    EXPECT_EQ(gauge.segments.count, 26);
    press(gauge, 0, 10);
    EXPECT_EQ(asked, (std::vector<int>{30}));  // level index 1
    EXPECT_TRUE(gauge.captured);
    gauge.procMouseDrag(255, 10);
    EXPECT_EQ(asked.back(), 100000);
    gauge.procMouseDrag(258, 10);  // the same level: not asked again
    EXPECT_EQ(asked.size(), 2u);
    gauge.procMouseWheel(0, 0, -120);
    EXPECT_EQ(asked.back(), 75000);
    gauge.procMouseWheel(0, 0, 120);
    EXPECT_EQ(asked.back(), 100000);
    gauge.onChange = nullptr;
    EXPECT_THROW(gauge.procMouseWheel(0, 0, -120), std::bad_function_call);
}

TEST_F(RangeControlTest, TheColourFieldTakesSixCharactersAndShowsThePlaceholderWhenEmpty) {
    Panel panel(*owner, 20, 20, 120, 24);
    Control::ButtonInputControl field(panel, 0, 0);
    field.filter = L"^([0-9a-zA-Z]{6}|)$";
    field.edit.inputFilter = L"[0-9a-zA-Z]";
    field.placeholder = L"未指定";
    std::vector<std::wstring> changes;
    int begins = 0, ends = 0;
    field.onChange = [&](Control::ButtonInputValue& v) { changes.push_back(v.text); };
    field.onEditBegin = [&](Control::ButtonInputValue&) { ++begins; };
    field.onEditEnd = [&](Control::ButtonInputValue&) { ++ends; };
    field.setText(L"ff8000", true, false);
    press(field.button, 5, 5);
    ASSERT_TRUE(field.edit.visible);
    EXPECT_FALSE(field.button.visible);
    EXPECT_EQ(service().focus, &field.edit);
    EXPECT_EQ(field.edit.selectedText(), u"ff8000");
    for (char16_t c : std::u16string(u"12ab")) field.edit.procChar(c);
    EXPECT_EQ(field.text, L"ff8000");
    EXPECT_TRUE(changes.empty());
    field.edit.procChar(u'-');  // refused by the character filter
    for (char16_t c : std::u16string(u"56")) field.edit.procChar(c);
    EXPECT_EQ(field.text, L"12ab56");
    EXPECT_EQ(changes, std::vector<std::wstring>{L"12ab56"});
    // Escape closes the edit without undoing what was sent.
    EXPECT_TRUE(field.edit.procKeyDown(0x1B));
    EXPECT_TRUE(field.button.visible);
    EXPECT_EQ(service().focus, nullptr);
    EXPECT_EQ(field.text, L"12ab56");
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(ends, 1);
    // zz is no colour: the fallback (empty), and the edit follows.
    field.setText(L"zz", true, false);
    EXPECT_EQ(field.text, L"");
    EXPECT_TRUE(field.edit.text.empty());
}

TEST_F(RangeControlTest, TheSliderDrawsItsFaceAndButtonsAndAClickOpensItsEntry) {
    useStyle("[Color]\nBackground=202020\nButtonBody=404040\nButtonBodyHover=505050\nText=f0f0f0\n"
             "Border=a0a0a0\n");
    mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
    host = std::make_unique<Media::RenderTargetWindow>();
    host->createRenderTarget(400, 200);
    owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, host.get(), 200, &clip, &source);
    Panel panel(*owner, 10, 10, 300, 60);
    Control::SliderInputControl::settings = {1, 100, false};
    Control::SliderInputControl wide(panel, 10, 10, 24);
    wide.setRange(0, -100, 100, 0.01);
    wide.setValue(-1.5);
    wide.atFirst = true;
    Control::SliderInputControl narrow(panel, 200, 40, 20);
    narrow.setRange(3, 0, 10, 1);
    // One pixel short of the probe text and two buttons of half its height.
    const int width = static_cast<int>(narrow.probeWidth) + 20 - 1;
    narrow.left = 300 - width;
    narrow.updateLayout();
    narrow.procMove();
    EXPECT_FALSE(narrow.minusButton.visible);
    EXPECT_EQ(narrow.face.visibleRect().width, width);
    narrow.alwaysShowArrows = true;
    narrow.procMove();
    EXPECT_TRUE(narrow.minusButton.visible);
    EXPECT_EQ(narrow.face.visibleRect().width, width - 20);
    panel.procPaint();
    wide.procPaint();
    narrow.procPaint();
    EXPECT_EQ(wide.valueText, L"-1.50");
    EXPECT_EQ(narrow.valueText, L"3");
    EXPECT_TRUE(matchesReference("sliders"));

    // A click on the face: the entry with everything selected.
    int begins = 0, ends = 0;
    narrow.onBeginChange = [&](Control::SliderInputControl&) { ++begins; };
    narrow.onEndChange = [&](Control::SliderInputControl&) { ++ends; };
    press(narrow.face, 20, 10);
    narrow.face.procLButtonUp(20, 10);
    EXPECT_TRUE(narrow.edit.visible);
    EXPECT_EQ(narrow.edit.selectedText(), u"3");
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(ends, 1);
    // Clearing the entry resets to the default; a lone minus changes nothing.
    narrow.edit.procChar(u'7');
    EXPECT_EQ(narrow.value, 7);
    narrow.edit.procChar(8);
    EXPECT_EQ(narrow.value, 3);
    narrow.edit.procChar(u'-');
    EXPECT_EQ(narrow.value, 3);
    EXPECT_EQ(begins, 2);
    EXPECT_TRUE(narrow.edit.procKeyDown(0x0D));
    EXPECT_EQ(ends, 2);
    EXPECT_TRUE(narrow.face.visible);
}

TEST_F(RangeControlTest, TheBarsDrawTheirRangesSegmentsAndButtons) {
    useStyle("[Color]\nBackground=202020\nButtonBody=404040\nButtonBodyDisable=606060\nTrackBarRange=305030\n"
             "FrameRangeSelect=c08030\nZoomGauge=3080ff\nZoomGaugeOff=303848\nGrouping=2a2a30\n"
             "Text=f0f0f0\nTextDisable=a0a0a0\n");
    mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
    host = std::make_unique<Media::RenderTargetWindow>();
    host->createRenderTarget(400, 200);
    owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, host.get(), 200, &clip, &source);
    Control::TrackBarControl bar(*owner, 10, 60, 312, 32);
    bar.setMaximum(299);
    bar.setMarkRange(30, 200);
    bar.setSelectRange(100, 150);
    bar.setPosition(120);
    Control::ZoomGaugeControl gauge(*owner, 10, 110, 260, 20);
    gauge.litCount = 10;
    Window::Rect titleArea{10, 150, 300, 24};
    Window::WindowControlOwner titleOwner(nullptr, window, host.get(), 200, &clip, &titleArea);
    Component::WindowTitleControl title(titleOwner, 24, L"設定", nullptr);
    title.addIconButton(Control::IconPlay);
    title.addCloseButton(nullptr);
    EXPECT_EQ(title.titleText.text, L"設定");
    host->fill(host->brushList[Control::Brushes::Background]);
    bar.procPaint();
    gauge.procPaint();
    title.procPaint();
    // The knob at 300 * 120 / 300 = 120 px into the track.
    EXPECT_EQ(at(10 + 120 + 4, 60 + 16), 0x404040u);
    EXPECT_EQ(at(10 + 2, 110 + 10), 0x3080FFu);   // a lit segment
    EXPECT_EQ(at(10 + 250, 110 + 10), 0x303848u);  // an unlit one
    EXPECT_TRUE(matchesReference("bars"));
}

}  // namespace
