#include "core/CoreTestSupport.h"
#include "media/GpuFixture.h"
#include "media/resource/ShapeReference.h"

#include "media/image/ImageService.h"
#include "media/resource/ResourceService.h"
#include "media/resource/TransitionList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using MediaTest::Rgba;
using ResourceTest::Point;

class TransitionMaskTest : public MediaTest::GpuTest {
protected:
    void TearDown() override { Resource::TransitionEffects::install({}); }

    static const Resource::TransitionItem& wipe(int index) { return resources().transitionList.items().at(index); }

    // Alpha 1 inside the reference, 0 outside, away from its edge.
    static void expectShape(Media::ResourceBuffer& mask, const std::vector<Point>& outline, const std::string& what) {
        const std::vector<Rgba> pixels = read(mask);
        int failures = 0;
        for (UINT y = 0; y < mask.getHeight(); ++y)
            for (UINT x = 0; x < mask.getWidth(); ++x) {
                const Point p{x + 0.5, y + 0.5};
                if (ResourceTest::distanceToOutline(outline, p) < 1.5) continue;
                const float expected = ResourceTest::inside(outline, p) ? 1.0f : 0.0f;
                if (std::fabs(pixels[y * mask.getWidth() + x][3] - expected) > 0.02f && ++failures <= 3)
                    ADD_FAILURE() << what << " at " << x << "," << y;
            }
        EXPECT_EQ(failures, 0) << what;
    }
};

TEST_F(TransitionMaskTest, ShapeWipesGrowWithProgress) {
    const UINT W = 96, H = 64;
    const struct {
        int index, shape;
    } wipes[] = {{0, 0}, {1, 7}, {5, 5}, {6, 6}};
    for (const auto& w : wipes) {
        for (float progress : {0.25f, 0.6f}) {
            for (bool aspect : {false, true}) {
                auto mask = wipe(w.index).createMask(W, H, progress, 0, aspect);
                ASSERT_NE(mask, nullptr);
                EXPECT_EQ(mask->getFormat(), service().pixelFormat);
                const double scale = wipe(w.index).scale;
                double sw = W * scale * progress, sh = H * scale * progress;
                if (aspect) sw = sh = progress * std::max(W, H) * scale;
                const auto outline =
                    ResourceTest::place(ResourceTest::shapeOutline(w.shape), (W - sw) / 2, (H - sh) / 2, sw, sh);
                expectShape(*mask, outline,
                            "wipe " + std::to_string(w.index) + " at " + std::to_string(progress) + (aspect ? " kept" : ""));
            }
        }
    }
}

TEST_F(TransitionMaskTest, TheCircleWipeIsEmptyAtTheStartAndCoversTheFrameAtTheEnd) {
    auto start = wipe(0).createMask(40, 30, 0.0f, 0, false);
    ASSERT_NE(start, nullptr);
    for (const Rgba& p : read(*start)) ASSERT_EQ(p[3], 0.0f);
    auto end = wipe(0).createMask(40, 30, 1.0f, 0, true);
    ASSERT_NE(end, nullptr);
    for (const Rgba& p : read(*end)) ASSERT_NEAR(p[3], 1.0f, 0.01f);
    EXPECT_EQ(wipe(0).createMask(0, 30, 0.5f, 0, false), nullptr);
    EXPECT_EQ(wipe(2).createMask(40, 0, 0.5f, 0, false), nullptr);
}

TEST_F(TransitionMaskTest, BorrowedEffectsGetTheWipesArguments) {
    // Until the clipping and blur effects are registered, their wipes fail.
    const struct {
        int index;
        int softness;
        const char* type;
    } missing[] = {{2, 0, "Effect::AngleClipFilter"}, {3, 0, "Effect::LineClipFilter"},
                   {4, 0, "Effect::LineClipFilter"}, {0, 3, "Effect::BokashiFilter"}};
    for (const auto& m : missing) {
        const std::string text = CoreTest::failureText([&] { wipe(m.index).createMask(40, 30, 0.5f, m.softness, false); });
        EXPECT_NE(text.find("default effect not found"), std::string::npos) << text;
        EXPECT_NE(text.find(m.type), std::string::npos) << text;
    }

    std::vector<std::string> calls;
    Resource::TransitionEffects effects;
    effects.angleClip = [&](std::unique_ptr<Media::ResourceBuffer>& image, float base, float range, float cx, float cy,
                            int blur, bool centre) {
        MediaTest::expectNear(pixel(*image, 5, 5), {0, 0, 0, 1});
        calls.push_back("angle " + std::to_string(image->getWidth()) + "x" + std::to_string(image->getHeight()) + " " +
                        std::to_string(base) + " " + std::to_string(range) + " " + std::to_string(cx) + " " +
                        std::to_string(cy) + " " + std::to_string(blur) + " " + std::to_string(centre));
    };
    effects.lineClip = [&](std::unique_ptr<Media::ResourceBuffer>& image, float angle, int width, float cx, float cy,
                           int blur) {
        MediaTest::expectNear(pixel(*image, 5, 5), {0, 0, 0, 1});
        calls.push_back("line " + std::to_string(angle) + " " + std::to_string(width) + " " + std::to_string(cx) + " " +
                        std::to_string(cy) + " " + std::to_string(blur));
    };
    Media::ResourceBuffer* drawn = nullptr;
    effects.blur = [&](std::unique_ptr<Media::ResourceBuffer> image, int radius, float aspect, int mode) {
        drawn = image.get();
        calls.push_back("blur " + std::to_string(radius) + " " + std::to_string(aspect) + " " + std::to_string(mode));
        return std::make_unique<Media::ResourceBuffer>(7, 7);
    };
    Resource::TransitionEffects::install(effects);

    EXPECT_NE(wipe(2).createMask(40, 30, 0.25f, 4, false), nullptr);
    EXPECT_NE(wipe(3).createMask(40, 30, 0.25f, 4, false), nullptr);
    EXPECT_NE(wipe(4).createMask(40, 30, 0.75f, 0, false), nullptr);
    auto blurred = wipe(5).createMask(40, 30, 0.5f, 6, false);
    ASSERT_NE(blurred, nullptr);
    EXPECT_EQ(blurred->getWidth(), 7u);
    EXPECT_NE(drawn, nullptr);
    const std::vector<std::string> expected = {
        "angle 40x30 90.000000 -270.000000 0.000000 0.000000 4 0",
        "line -90.000000 0 -10.000000 0.000000 4",
        "line 0.000000 0 0.000000 7.500000 0",
        "blur 6 0.000000 2",
    };
    EXPECT_EQ(calls, expected);
}

class ImageWipeTest : public TransitionMaskTest {
protected:
    void SetUp() override {
        TransitionMaskTest::SetUp();
        // Black on the left to white on the right.
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 256; ++x) pixels.insert(pixels.end(), {std::uint8_t(x), std::uint8_t(x), std::uint8_t(x), 255});
        Media::ImageService::saveToFile((folder_.data() / "Transition" / "ramp.png").wstring(), pixels.data(), 256, 4,
                                        256 * 4, Media::ImageService::PixelFormat::Format32bppRGBA,
                                        Media::ImageService::Container::Png);
        list_.load(resources().pathData.data());
    }
    const Resource::TransitionItem& ramp() const { return list_.items().back(); }

    CoreTest::ProgramFolder folder_;
    Resource::TransitionList list_;
};

TEST_F(ImageWipeTest, DarkPixelsTurnOnFirst) {
    ASSERT_EQ(ramp().name, L"ramp");
    // Progress p puts the threshold band (2 * 16 / 384 wide) at darkness
    // 1 - (2g + 1) p + g: 0.5 for p = 0.5, 0.825 for p = 0.2.
    const struct {
        float progress;
        int lastOn, firstOff;
    } cases[] = {{0.5f, 27, 36}, {0.2f, 7, 15}};
    for (const auto& c : cases) {
        auto mask = ramp().createMask(64, 16, c.progress, 0, false);
        ASSERT_NE(mask, nullptr);
        const std::vector<Rgba> pixels = read(*mask);
        for (int x = 0; x < 64; ++x) {
            const float alpha = pixels[8 * 64 + x][3];
            if (x <= c.lastOn) {
                EXPECT_NEAR(alpha, 1.0f, 0.01f) << c.progress << " x " << x;
            } else if (x >= c.firstOff) {
                EXPECT_NEAR(alpha, 0.0f, 0.01f) << c.progress << " x " << x;
            }
        }
    }
    for (float progress : {0.0f, 1.0f}) {
        auto mask = ramp().createMask(64, 16, progress, 0, false);
        for (const Rgba& p : read(*mask)) ASSERT_NEAR(p[3], progress, 0.01f);
    }
}

TEST_F(ImageWipeTest, KeepingTheAspectShowsTheImagesMiddle) {
    // 256 x 4 into 64 x 16: only the middle sixteenth of the ramp is
    // shown, mid-grey everywhere, well short of the band at p = 0.2.
    auto mask = ramp().createMask(64, 16, 0.2f, 0, true);
    ASSERT_NE(mask, nullptr);
    for (const Rgba& p : read(*mask)) ASSERT_NEAR(p[3], 0.0f, 0.01f);
}

TEST_F(ImageWipeTest, AnImageThatIsGoneMakesNoMask) {
    std::filesystem::remove(folder_.data() / "Transition" / "ramp.png");
    EXPECT_EQ(ramp().createMask(64, 16, 0.5f, 0, false), nullptr);
}

}  // namespace
