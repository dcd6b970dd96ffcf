// Text objects rendered through the real walk, the program's standard
// output and the GPU, read back and compared with where FreeType's metrics
// and the text layout put the glyphs. Edges are allowed one pixel: the
// coverage threshold rounds fractional edges, and drawn objects still sit
// 1/256 of a row low.
#include "effects/media/TextInput.h"

#include "edit/model/Project.h"
#include "render/output/BasicOutput.h"
#include "render/context/ObjectContext.h"

#include "core/CoreTestSupport.h"
#include "effects/EffectsTestSupport.h"
#include "effects/media/TextEffectFixture.h"
#include "media/text/TextFixture.h"
#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Effect::TextInput;
using MediaTest::Rgba;

constexpr int kWidth = 200;
constexpr int kHeight = 100;

// What a filter of a per-character object sees of each character.
struct Seen {
    int index;
    int count;
    int frameShift;
    float x;
    float y;
    float rotation;
    bool keepPosition;
};

class Probe : public Effect::EffectBase {
public:
    Probe() : EffectBase(L"probe", Effect::EffectKind::Filter, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Probe>(); }
    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override {
        std::lock_guard lock(mutex);
        seen.push_back({context.index, context.count, context.frameShift, context.view.x, context.view.y,
                        context.view.rotationZ, context.keepPosition != 0});
        result = std::move(input);
    }
    std::mutex mutex;
    std::vector<Seen> seen;
};

// Inclusive pixel box of the pixels that pass.
TextTest::Box boxOf(const std::vector<Rgba>& pixels, const std::function<bool(const Rgba&)>& pass) {
    TextTest::Box box;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (pass(pixels[static_cast<std::size_t>(y) * kWidth + x])) box.add(x, y);
    return box;
}

class WalkedText : public TextEffectTest::FontServices, public EffectsTest::InstalledEffects,
                   public WalkTest::WalkFixture {
protected:
    WalkedText() : WalkFixture(8, true) {
        scene().width = kWidth;
        scene().height = kHeight;
        scene().videoRate = 30;
        scene().videoScale = 1;
    }
    TextInput& placeText(const std::wstring& content, const wchar_t* family, float size, int layer = 0) {
        Edit::ObjectPointer object = scene().createObject(L"テキスト", layer, 0, 99);
        scene().updateLayerObject();
        auto& text = dynamic_cast<TextInput&>(*object->effectList[0]);
        text.text.text = content;
        text.font.value = fontValue(family);
        text.size.setValue(size, 0);
        return text;
    }
    Effect::BasicOutput& outputOf(int layer) {
        return dynamic_cast<Effect::BasicOutput&>(*objectAt(layer, 0)->effectList.at(1));
    }
    Probe& addProbe(int layer) {
        auto probe = std::make_shared<Probe>();
        objectAt(layer, 0)->effectList.push_back(probe);
        return *probe;
    }
};

TEST_F(WalkedText, GlyphsLandWhereTheMetricsPutThemForEachAlignment) {
    const TextTest::FaceFacts facts("DejaVu Sans");
    const std::array<float, 4> ink = facts.box(U'H', 40);
    struct Row {
        int value;
        float anchorX, anchorY, lineAlignment;
    };
    TextInput& text = placeText(L"H", L"DejaVu Sans", 40);
    for (const Row& row : {Row{0, -0.5f, -0.5f, 0.0f}, Row{4, 0.0f, 0.0f, 0.5f}, Row{8, 0.5f, 0.5f, 1.0f}}) {
        SCOPED_TRACE(row.value);
        text.alignment.value = row.value;
        // The layout's margins and picture size for the same text.
        Media::TextDraw layout(L"H", L"DejaVu Sans", 40, 0, 0, true, false, false, false, row.lineAlignment, 0, 0, 0,
                               0, {1, 1, 1, 1}, {1, 1, 1, 1});
        layout.layoutText(nullptr);
        const float pictureLeft = kWidth / 2.0f - (row.anchorX + 0.5f) * layout.pictureWidth();
        const float pictureTop = kHeight / 2.0f - (row.anchorY + 0.5f) * layout.pictureHeight();
        const float originX = pictureLeft + layout.marginLeft() + layout.lines().at(0).start;
        const float originY = pictureTop + layout.marginTop() + layout.lines().at(0).baseline;
        const TextTest::Box box = boxOf(render(10), TextTest::covered);
        ASSERT_FALSE(box.empty());
        EXPECT_NEAR(box.left, originX + ink[0], 1.0);
        EXPECT_NEAR(box.top, originY + ink[1], 1.0);
        EXPECT_NEAR(box.right + 1, originX + ink[2], 1.0);
        EXPECT_NEAR(box.bottom + 1, originY + ink[3], 1.0);
    }
}

TEST_F(WalkedText, TheSecondColourShowsOnlyWithADecoration) {
    TextInput& text = placeText(L"一H", L"Noto Sans CJK JP", 40);
    text.textColor.fromString("00ff00");
    text.decorationColor.fromString("ff0000");
    const auto anyRed = [](const std::vector<Rgba>& pixels) {
        return std::any_of(pixels.begin(), pixels.end(), [](const Rgba& p) { return p[0] > 0.02f; });
    };
    std::vector<Rgba> plain = render(5);
    EXPECT_FALSE(anyRed(plain));
    EXPECT_FALSE(boxOf(plain, TextTest::greenish).empty());
    for (int decoration = 1; decoration <= 6; ++decoration) {
        text.decoration.value = decoration;
        EXPECT_TRUE(anyRed(render(5))) << decoration;
    }
}

TEST_F(WalkedText, BordersReachOutHalfTheirWidthAndShadowsFallAtTheirStrength) {
    const TextTest::FaceFacts facts("Noto Sans CJK JP");
    const float size = 100;
    const std::array<float, 4> ink = facts.box(U'一', size);
    TextInput& text = placeText(L"一", L"Noto Sans CJK JP", size);
    text.alignment.value = 4;  // 中央揃え[中]
    text.textColor.fromString("00ff00");
    text.decorationColor.fromString("ff0000");
    Media::TextDraw layout(L"一", L"Noto Sans CJK JP", size, 0, 0, true, false, false, false, 0.5f, 0, 0, 0, 0,
                           {1, 1, 1, 1}, {1, 1, 1, 1});
    layout.layoutText(nullptr);
    // Without a border, the ink's own box.
    const TextTest::Box plain = boxOf(render(5), TextTest::covered);
    ASSERT_FALSE(plain.empty());
    EXPECT_NEAR(plain.right + 1 - plain.left, ink[2] - ink[0], 1.0);
    EXPECT_NEAR(plain.bottom + 1 - plain.top, ink[3] - ink[1], 1.0);

    struct Row {
        int value;
        float factor;
    };
    for (const Row& row : {Row{3, 0.15f}, Row{4, 0.075f}, Row{5, 0.225f}, Row{6, 0.075f}}) {
        SCOPED_TRACE(row.value);
        text.decoration.value = row.value;
        const std::vector<Rgba> pixels = render(5);
        const TextTest::Box bordered = boxOf(pixels, TextTest::covered);
        const float reach = row.factor * size / 2;
        EXPECT_NEAR(bordered.right + 1 - bordered.left, ink[2] - ink[0] + 2 * reach, 1.5);
        EXPECT_NEAR(bordered.bottom + 1 - bordered.top, ink[3] - ink[1] + 2 * reach, 1.5);
        // The ring is the second colour; the middle stays the text's.
        const int midY = (bordered.top + bordered.bottom) / 2;
        EXPECT_TRUE(TextTest::reddish(pixels[static_cast<std::size_t>(midY) * kWidth + bordered.left]));
        EXPECT_TRUE(TextTest::greenish(pixels[static_cast<std::size_t>(midY) * kWidth + (plain.left + plain.right) / 2]));
    }

    // A shadow falls below and right of the ink at the row's strength and
    // never above or left of it.
    for (const Row& row : {Row{1, 1.0f}, Row{2, 0.5f}}) {
        SCOPED_TRACE(row.value);
        text.decoration.value = row.value;
        const std::vector<Rgba> pixels = render(5);
        // Rows clear of the text's own soft edge.
        float below = 0, above = 0;
        for (int x = plain.left; x <= plain.right; ++x) {
            for (int y = plain.bottom + 2; y < std::min(plain.bottom + 12, kHeight); ++y)
                below = std::max(below, pixels[static_cast<std::size_t>(y) * kWidth + x][0]);
            for (int y = std::max(plain.top - 12, 0); y < plain.top - 1; ++y)
                above = std::max(above, pixels[static_cast<std::size_t>(y) * kWidth + x][3]);
        }
        EXPECT_NEAR(below, row.factor, 0.05);
        EXPECT_LT(above, 0.02f);
    }
}

TEST_F(WalkedText, EachCharacterIsAnObjectOfItsOwnWithItsIndexAndTimeOrigin) {
    TextInput& text = placeText(L"<w0.5>一H", L"Noto Sans CJK JP", 30);
    text.displaySpeed.setValue(2, 0);
    Probe& probe = addProbe(0);
    // The whole picture first: where the characters must land.
    const TextTest::Box whole = boxOf(render(30), TextTest::covered);
    ASSERT_EQ(probe.seen.size(), 1u);
    probe.seen.clear();

    text.separateCharacters.value = true;
    // At 30 fps the two characters appear at 0.5 s and 1.0 s.
    const std::vector<Rgba> pixels = render(30);
    ASSERT_EQ(probe.seen.size(), 2u);
    EXPECT_EQ(probe.seen[0].index, 0);
    EXPECT_EQ(probe.seen[1].index, 1);
    EXPECT_EQ(probe.seen[0].count, 2);
    EXPECT_EQ(probe.seen[0].frameShift, 15);
    EXPECT_EQ(probe.seen[1].frameShift, 30);
    const TextTest::Box split = boxOf(pixels, TextTest::covered);
    EXPECT_NEAR(split.left, whole.left, 1);
    EXPECT_NEAR(split.top, whole.top, 1);
    EXPECT_NEAR(split.right, whole.right, 1);
    EXPECT_NEAR(split.bottom, whole.bottom, 1);

    // Before the second one appears, only the first is drawn.
    probe.seen.clear();
    render(20);
    ASSERT_EQ(probe.seen.size(), 1u);
    EXPECT_EQ(probe.seen[0].index, 0);
}

TEST_F(WalkedText, CharactersFollowTheMotionPathTurnedToItsDirection) {
    TextInput& text = placeText(L"一一", L"Noto Sans CJK JP", 20);
    text.separateCharacters.value = true;
    text.alongPath.value = true;
    Probe& probe = addProbe(0);
    Effect::BasicOutput& output = outputOf(0);

    // Left to right: the bars lie along the row, unturned, in order.
    output.x.fromString("-60,60,直線移動,0");
    std::vector<Rgba> pixels = render(50);
    ASSERT_EQ(probe.seen.size(), 2u);
    for (const Seen& s : probe.seen) {
        EXPECT_NEAR(s.rotation, 0.0f, 1e-3);
        EXPECT_TRUE(s.keepPosition);
    }
    EXPECT_LT(probe.seen[0].x, probe.seen[1].x);
    EXPECT_FLOAT_EQ(probe.seen[0].y, probe.seen[1].y);
    TextTest::Box box = boxOf(pixels, TextTest::covered);
    ASSERT_FALSE(box.empty());
    EXPECT_GT(box.right - box.left, 4 * (box.bottom - box.top));

    // Straight down: each bar turned a quarter, one below the other.
    probe.seen.clear();
    output.x.fromString("0");
    output.y.fromString("-40,40,直線移動,0");
    pixels = render(50);
    ASSERT_EQ(probe.seen.size(), 2u);
    for (const Seen& s : probe.seen) EXPECT_NEAR(s.rotation, 90.0f, 1e-3);
    EXPECT_LT(probe.seen[0].y, probe.seen[1].y);
    EXPECT_FLOAT_EQ(probe.seen[0].x, probe.seen[1].x);
    box = boxOf(pixels, TextTest::covered);
    ASSERT_FALSE(box.empty());
    EXPECT_GT(box.bottom - box.top, 4 * (box.right - box.left));

    // An object that does not move puts every character at one point.
    probe.seen.clear();
    output.y.fromString("0");
    render(50);
    ASSERT_EQ(probe.seen.size(), 2u);
    EXPECT_FLOAT_EQ(probe.seen[0].x, probe.seen[1].x);
    EXPECT_NEAR(probe.seen[0].rotation, 0.0f, 1e-3);
}

TEST_F(WalkedText, AHugeTextIsMeasuredWithinTheLayoutsLimits) {
    TextInput& text = placeText(std::wstring(300, L'一') + L"\n<s1000><p100000,100000>一", L"Noto Sans CJK JP", 1000);
    // Measured only: the picture and the per-character sheet it would take.
    TextInput::Layout layout;
    text.setupTextDraw(layout, nullptr);
    layout.draw->layoutText(nullptr);
    const Media::TextDraw& draw = *layout.draw;
    EXPECT_EQ(draw.pictureWidth(), Media::TextDraw::pictureSideLimit);
    EXPECT_LE(draw.pictureHeight(), Media::TextDraw::pictureSideLimit);
    EXPECT_LE(std::int64_t(draw.pictureWidth()) * draw.pictureHeight(), Media::TextDraw::pictureAreaLimit);
    EXPECT_LE(draw.atlasPixelWidth(), Media::TextDraw::pictureSideLimit);
    EXPECT_LE(std::int64_t(draw.atlasPixelWidth()) * draw.atlasPixelHeight(), Media::TextDraw::pictureAreaLimit);
}

TEST_F(WalkedText, AnEmptyTextDrawsNothing) {
    placeText(L"", L"Noto Sans CJK JP", 40);
    Probe& probe = addProbe(0);
    EXPECT_TRUE(boxOf(render(5), TextTest::covered).empty());
    EXPECT_TRUE(probe.seen.empty());
}

TEST_F(WalkedText, AProjectHoldingATextObjectIsWrittenAndReadBackByteForByte) {
    CoreTest::TempFolder folder;
    const auto file = [&](const char* name) { return (folder.path() / name).wstring(); };
    Edit::Project project(&service);
    project.getOrCreateScene(0);
    Edit::Scene& target = *project.getOrCreateScene(1);
    Edit::ObjectPointer object = target.createObject(L"テキスト", 0, 0, 59);
    auto& text = dynamic_cast<TextInput&>(*object->effectList[0]);
    text.size.fromString("24.5,80,直線移動,0");
    text.characterSpacing.setValue(-3.25, 0);
    text.lineSpacing.setValue(12, 0);
    text.displaySpeed.setValue(7.5, 0);
    text.font.value = fontValue(L"DejaVu Sans");
    text.textColor.fromString("12abef");
    text.decorationColor.fromString("fe0001");
    text.decoration.value = 5;
    text.alignment.value = 13;
    text.bold.value = true;
    text.italic.value = true;
    text.text.text = L"一行目\\n<#ff0000>赤\n<?=1+1?>";
    text.separateCharacters.value = true;
    text.alongPath.value = true;
    text.fitLength.value = true;
    target.updateLayerObject();

    Edit::Project::saveProjectFile(project, file("a.mvp2"));
    const std::string written = CoreTest::readBytes((folder.path() / "a.mvp2").string());
    EXPECT_NE(written.find("effect.name=テキスト\r\nサイズ=24.50,80.00,直線移動,0\r\n字間=-3.25\r\n行間=12.00\r\n"
                           "表示速度=7.50\r\nフォント=DejaVu Sans\r\n文字色=12abef\r\n影・縁色=fe0001\r\n"
                           "文字装飾=縁取り文字(太)\r\n文字揃え=縦書 中央[中]\r\nB=1\r\nI=1\r\n"
                           "テキスト=一行目\\\\n<#ff0000>赤\\n<?=1+1?>\r\n文字毎に個別オブジェクト=1\r\n"
                           "移動座標上に表示=1\r\nオブジェクトの長さを自動調節=1\r\n"),
              std::string::npos)
        << written;
    Edit::Project reloaded(&service);
    Edit::Project::loadProjectFile(reloaded, file("a.mvp2"));
    Edit::Project::saveProjectFile(reloaded, file("b.mvp2"));
    EXPECT_EQ(CoreTest::readBytes((folder.path() / "b.mvp2").string()), written);
    const auto& back = dynamic_cast<TextInput&>(
        *reloaded.getScene(1)->getLayerObjectList(0).getObjectAtFrame(0)->effectList[0]);
    EXPECT_EQ(back.text.text, text.text.text);
}

}  // namespace
