#include "effects/media/FigureLoad.h"

#include "core/file/FileName.h"
#include "media/gpu/ResourceBuffer.h"

#include "core/CoreTestSupport.h"
#include "effects/EffectsTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace EffectsTest;

class Figure : public EffectGpuTest {
protected:
    std::unique_ptr<Media::ResourceBuffer> input(Effect::FigureLoad& figure) {
        std::unique_ptr<Media::ResourceBuffer> image;
        figure.inputVideo(image, lone.context);
        return image;
    }
    LoneObjectContext lone;
};

TEST_F(Figure, SizeAndAspectGiveThePictureSize) {
    struct Case {
        double size;
        double aspect;
        UINT width;
        UINT height;
    };
    for (const Case& k : {Case{100, 0, 100, 100}, Case{100, 50, 50, 100}, Case{100, -50, 100, 50},
                          Case{3, 0, 3, 3}}) {
        SCOPED_TRACE(testing::Message() << k.size << " " << k.aspect);
        Effect::FigureLoad figure;
        figure.size.setValue(k.size, 0);
        figure.aspect.setValue(k.aspect, 0);
        auto image = input(figure);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->getWidth(), k.width);
        EXPECT_EQ(image->getHeight(), k.height);
    }
    // Between whole sizes (a moving size): rounded up, none below a pixel.
    UINT width = 0, height = 0;
    Effect::FigureLoad::pictureSize(100.2f, 0, width, height);
    EXPECT_EQ(width, 101u);
    EXPECT_EQ(height, 101u);
    Effect::FigureLoad::pictureSize(0.5f, 0, width, height);
    EXPECT_EQ(width, 0u);
    Effect::FigureLoad::pictureSize(100, 99.5f, width, height);  // 0.5 wide
    EXPECT_EQ(width, 0u);
    Effect::FigureLoad none;
    none.size.setValue(0, 0);
    EXPECT_FALSE(input(none));
    Effect::FigureLoad outside;
    outside.figure.value = 1000;
    EXPECT_FALSE(input(outside));
}

TEST_F(Figure, EachBuiltInFigureIsDrawnInItsColour) {
    // Filled (line width at its maximum) 40-pixel figures in green: the
    // centre is covered, the corners of all but the square are not.
    for (int index = 1; index < 8; ++index) {
        SCOPED_TRACE(index);
        Effect::FigureLoad figure;
        figure.figure.value = index;
        figure.size.setValue(40, 0);
        figure.color.fromString("00ff00");
        auto image = input(figure);
        ASSERT_TRUE(image);
        const Picture drawn = download(*image);
        MediaTest::expectNear(drawn.at(20, 21), {0, 1, 0, 1}, 0.02f);
        if (index == 2)
            MediaTest::expectNear(drawn.at(0, 0), {0, 1, 0, 1}, 0.02f);
        else
            EXPECT_LT(drawn.at(0, 0)[3], 0.1f);
    }
}

TEST_F(Figure, LineWidthLeavesTheInsideOpen) {
    Effect::FigureLoad ring;
    ring.figure.value = 2;  // 四角形
    ring.size.setValue(40, 0);
    ring.lineWidth.setValue(4, 0);
    const Picture drawn = download(*input(ring));
    EXPECT_LT(drawn.at(20, 20)[3], 0.05f);
    MediaTest::expectNear(drawn.at(1, 20), {1, 1, 1, 1}, 0.02f);
    MediaTest::expectNear(drawn.at(20, 38), {1, 1, 1, 1}, 0.02f);
}

TEST_F(Figure, DroppedSvgFilesAreTakenAndUnreadableOnesRefused) {
    CoreTest::TempFolder folder;
    const std::string svg = (folder.path() / "shape.svg").string();
    CoreTest::writeBytes(svg, "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10' width='10' height='10'>"
                              "<rect width='10' height='10' fill='#000'/></svg>");
    const std::wstring path(svg.begin(), svg.end());
    Effect::FigureLoad figure;
    EXPECT_TRUE(figure.isSupportedFile(L"a.SVG"));
    EXPECT_FALSE(figure.isSupportedFile(L"a.png"));
    Effect::EffectEvent drop;
    drop.code = Effect::EffectEvent::FileDropped;
    drop.path = path.c_str();
    EXPECT_TRUE(figure.effectEvent(drop));
    EXPECT_EQ(figure.figure.value, -1);
    EXPECT_STREQ(figure.getDisplayName(), L"shape.svg");
    figure.size.setValue(20, 0);
    figure.color.fromString("ff0000");
    auto image = input(figure);
    ASSERT_TRUE(image);
    MediaTest::expectNear(download(*image).at(10, 10), {1, 0, 0, 1}, 0.02f);

    Effect::EffectEvent changed;
    changed.code = Effect::EffectEvent::ItemChanged;
    changed.item = &figure.figure;
    EXPECT_TRUE(figure.effectEvent(changed));
    CoreTest::writeBytes(svg, "not svg");
    EXPECT_FALSE(figure.effectEvent(changed));
    EXPECT_EQ(figure.figure.value, 1);
    EXPECT_TRUE(figure.figure.path.empty());
    EXPECT_STREQ(figure.getDisplayName(), L"円");
}

}  // namespace
