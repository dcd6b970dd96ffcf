// The handles as drawn into a window's back buffer: the colour of each
// state (ordinary, hovered, selected, section shown in the settings
// window), what is left out, and the docked icons.
#include "panels/anchor/AnchorControl.h"

#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "media/DrawingFixture.h"
#include "media/draw/RenderTargetWindow.h"
#include "window/WindowControlOwner.h"

#include <cairo.h>

#include <stdexcept>

namespace {

using Anchor::AnchorItem;

constexpr std::uint32_t kAnchor = 0xFF0000, kHover = 0x00FF00, kSelect = 0x0000FF, kIn = 0xFFFF00,
                        kHandleX = 0xFF00FF;

class Mark : public Effect::EffectBase {
public:
    Mark() : EffectBase(L"mark", Effect::EffectKind::Filter, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Mark>(); }
};

// The ring's pixels are partly covered: the colour's channels lead, the
// others stay low.
bool shows(std::uint32_t pixel, std::uint32_t colour) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int got = (pixel >> shift) & 0xFF, want = (colour >> shift) & 0xFF;
        if (want ? got < 0x80 : got > 0x40) return false;
    }
    return true;
}

class AnchorDrawingTest : public DrawingTest::DrawingServices {
protected:
    AnchorDrawingTest() : DrawingServices(true) {}

    void SetUp() override {
        DrawingServices::SetUp();
        useStyle("[Color]\nAnchor=ff0000\nAnchorHover=00ff00\nAnchorSelect=0000ff\nAnchorIn=ffff00\n"
                 "AnchorOut=00ffff\nAnchorEdge=000000\nHandleX=ff00ff\n");
        window.createRenderTarget(200, 100);
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, nullptr, &window, 200, &area, &area);
        owner->updateLayout();
        control = std::make_unique<Anchor::AnchorControl>(*owner, 0, 0, 0, 0);
        control->pictureRect = {0, 0, 200, 100};
    }
    void TearDown() override {
        control.reset();
        owner.reset();
        DrawingServices::TearDown();
    }

    // Clears the image to grey and draws the items.
    void draw(std::vector<AnchorItem> items) {
        cairo_t* cr = cairo_create(window.backBuffer());
        cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
        cairo_paint(cr);
        cairo_destroy(cr);
        control->setItems(std::move(items));
        control->drawAnchors();
    }
    void redraw() {
        std::vector<AnchorItem> same = control->items;
        draw(std::move(same));
    }
    // The colour at a point, as 0xRRGGBB.
    std::uint32_t at(int x, int y) { return DrawingTest::pixel(window.backBuffer(), x, y) & 0xFFFFFF; }
    AnchorItem circle(float x, int index, std::uint32_t flags = 0x8000) {
        AnchorItem item(AnchorItem::LargeCircle, flags, object, effect, index);
        item.points = {{x, 0}};
        return item;
    }

    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *editHolder.getInstance();
    Media::RenderTargetWindow window;
    Window::Rect area{0, 0, 200, 100};
    std::unique_ptr<Window::WindowControlOwner> owner;
    std::unique_ptr<Anchor::AnchorControl> control;
    Edit::ObjectPointer object = std::make_shared<Edit::Object>();
    std::shared_ptr<Effect::EffectBase> effect = std::make_shared<Mark>();
};

TEST_F(AnchorDrawingTest, RingsInTheColourOfTheirState) {
    // A large circle at (100, 50): its ring of 36 pixels passes (64, 50)
    // and (136, 50); the centre stays clear.
    std::vector<AnchorItem> items;
    items.push_back(circle(0, 100000000));
    draw(std::move(items));
    EXPECT_TRUE(shows(at(63, 50), kAnchor));
    EXPECT_EQ(at(100, 50), 0x808080u);
    EXPECT_EQ(at(63, 20), 0x808080u);

    control->setHovered(&control->items[0]);
    redraw();
    EXPECT_TRUE(shows(at(63, 50), kHover));

    // A selected object's whole-object handle.
    control->setHovered(nullptr);
    object->selected = true;
    items.clear();
    items.push_back(circle(0, 100000000, 0x18000));
    draw(std::move(items));
    EXPECT_TRUE(shows(at(63, 50), kSelect));
    object->selected = false;
}

TEST_F(AnchorDrawingTest, TheSectionShownInTheSettingsWindowStandsOut) {
    edit.hooks.getSettingSection = [] { return 1; };
    std::vector<AnchorItem> items;
    items.push_back(circle(-0.5f, 0, 0x88000));
    items.push_back(circle(0.5f, 1, 0x88000));
    draw(std::move(items));
    // Section handles are dashed: look along the ring for the colour.
    const auto ringHas = [&](int cx, std::uint32_t colour) {
        for (int y = 14; y <= 86; ++y)
            for (int x = cx - 37; x <= cx + 37; ++x)
                if (shows(at(x, y), colour)) return true;
        return false;
    };
    EXPECT_TRUE(ringHas(50, kAnchor));
    EXPECT_FALSE(ringHas(50, kIn));
    EXPECT_TRUE(ringHas(150, kIn));
    edit.hooks.getSettingSection = nullptr;
}

TEST_F(AnchorDrawingTest, LeftOutHandles) {
    std::vector<AnchorItem> items;
    items.push_back(circle(-0.5f, 100000000, 0x20008000));  // hidden unless selected
    items.push_back(circle(0.5f, 100000000, 0x8008000));     // never drawn
    draw(std::move(items));
    for (int x = 0; x < 200; ++x) EXPECT_EQ(at(x, 50), 0x808080u) << x;

    // Hovering one object's handle hides the other objects' handles.
    edit.mouseHoverHideOtherAnchor = 1;
    const int other = 0;
    items.clear();
    items.push_back(circle(-0.5f, 100000000));
    items.push_back(circle(0.5f, 100000000));
    items.back().owner = &other;
    draw(std::move(items));
    EXPECT_TRUE(shows(at(186, 50), kAnchor));
    control->setHovered(&control->items[0]);
    redraw();
    EXPECT_TRUE(shows(at(13, 50), kHover));
    EXPECT_EQ(at(186, 50), 0x808080u);
    edit.mouseHoverHideOtherAnchor = 0;
}

TEST_F(AnchorDrawingTest, AxisHandlesAndDockedIcons) {
    std::vector<AnchorItem> items;
    AnchorItem handle(AnchorItem::Handle, 0x100004, object, effect, 100000000);
    // From (100, 50) along x, one unit a pixel: 40 pixels long.
    handle.points = {{0, 0}, {0.4f, 0}, {0.01f, 0}};
    items.push_back(std::move(handle));
    AnchorItem icon(AnchorItem::Image, 0x68000, object, effect, 200000000);
    icon.points = {{0, 0}, {32, 32}};
    icon.image = 3;
    items.push_back(std::move(icon));
    draw(std::move(items));
    EXPECT_TRUE(shows(at(120, 50), kHandleX));
    EXPECT_TRUE(shows(at(140, 50), kHandleX));  // the dot at the end
    int inked = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 168; x < 200; ++x) inked += at(x, y) != 0x808080u;
    EXPECT_GT(inked, 30);

    items.clear();
    AnchorItem broken(AnchorItem::Image, 0x68000, object, effect, 200000000);
    broken.points = {{0, 0}, {32, 32}};
    broken.image = 5;
    items.push_back(std::move(broken));
    EXPECT_THROW(draw(std::move(items)), std::exception);
}

}  // namespace
