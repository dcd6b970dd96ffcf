#include "effects/media/ImageLoad.h"

#include "core/base/Singleton.h"
#include "effects/base/InfoTip.h"
#include "media/gpu/ResourceBuffer.h"
#include "plugin/input/InputService.h"
#include "render/cache/CacheService.h"

#include "effects/EffectsTestSupport.h"
#include "media/MediaFixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using namespace EffectsTest;

class ImageFile : public EffectGpuTest {
protected:
    ImageFile() {
        lone.frames.start = 10;
        lone.frames.end = 99;
    }
    // A 2 x 2 picture whose red channel tells its number: n × 20 / 255.
    std::wstring make(const std::string& name, int n) {
        char colour[16];
        std::snprintf(colour, sizeof colour, "0x%02x0000", n * 20);
        const std::string path = folder.file(name);
        EXPECT_TRUE(MediaTest::ffmpeg(std::string("-f lavfi -i color=c=") + colour +
                                      ":s=2x2 -frames:v 1 -pix_fmt rgba " + path));
        return std::wstring(path.begin(), path.end());
    }
    std::wstring path(const std::string& name) const {
        const std::string full = folder.file(name);
        return std::wstring(full.begin(), full.end());
    }
    // The file the effect shows at the object's frame.
    std::wstring shownAt(Effect::ImageLoad& image, int objectFrame) {
        lone.context.frame = lone.frames.start + objectFrame;
        lone.context.time = lone.context.frame;
        lone.context.updateSectionPosition();
        return image.getSequenceFileName(lone.context);
    }
    // img_0001.png to img_0010.png without img_0005.png, img_0003 chosen.
    void makeSequence(Effect::ImageLoad& image) {
        for (int n = 1; n <= 10; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "img_%04d.png", n);
            if (n != 5) make(name, n);
        }
        image.file.path = path("img_0003.png");
        image.sequence.value = true;
    }

    MediaTest::TempFolder folder;
    LoneObjectContext lone;
    Plugin::InputService input;
    System::Singleton<Cache::CacheService> cache;
};

TEST_F(ImageFile, TheObjectsFrameCountPicksTheNumber) {
    Effect::ImageLoad image;
    makeSequence(image);
    for (int frame : {0, 1, 2, 3}) EXPECT_EQ(shownAt(image, frame), path("img_0003.png")) << frame;
    EXPECT_EQ(shownAt(image, 4), path("img_0004.png"));
    EXPECT_EQ(shownAt(image, 5), path("img_0004.png"));  // the gap shows the one before
    EXPECT_EQ(shownAt(image, 6), path("img_0006.png"));
    EXPECT_EQ(shownAt(image, 12), path("img_0010.png"));
    // The picture itself is the file's.
    lone.context.frame = 16;
    std::unique_ptr<Media::ResourceBuffer> picture;
    image.inputVideo(picture, lone.context);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->getWidth(), 2u);
    MediaTest::expectNear(pixel(*picture, 1, 1), {120 / 255.0f, 0, 0, 1}, 0.02f);
}

TEST_F(ImageFile, ANumberChosenByTheItemIsClampedAndGapsShowTheOneBefore) {
    Effect::ImageLoad image;
    makeSequence(image);
    struct Case {
        double number;
        const char* shown;
    };
    for (const Case& k : {Case{5, "img_0004.png"}, Case{1, "img_0003.png"}, Case{9, "img_0009.png"},
                          Case{40, "img_0010.png"}}) {
        image.number.setValue(k.number, 0);
        EXPECT_EQ(shownAt(image, 0), path(k.shown)) << k.number;
    }
    // Files added later count only after the sequence is examined again.
    make("img_0011.png", 11);
    EXPECT_EQ(shownAt(image, 0), path("img_0010.png"));
    Effect::EffectEvent changed;
    changed.code = Effect::EffectEvent::ItemChanged;
    changed.item = &image.sequence;
    EXPECT_TRUE(image.effectEvent(changed));
    EXPECT_EQ(shownAt(image, 0), path("img_0011.png"));
}

TEST_F(ImageFile, LeadingZerosStayAsWrittenAndPlainFilesStayPlain) {
    Effect::ImageLoad image;
    make("img_007.png", 7);
    make("img_8.png", 8);
    make("other_9.png", 9);
    image.file.path = path("img_007.png");
    image.sequence.value = true;
    image.number.setValue(8, 0);
    EXPECT_EQ(shownAt(image, 0), path("img_8.png"));
    image.number.setValue(9, 0);
    EXPECT_EQ(shownAt(image, 0), path("img_8.png"));  // other_9 has another prefix

    Effect::ImageLoad photo;
    photo.file.path = make("photo.png", 1);
    photo.sequence.value = true;
    EXPECT_EQ(shownAt(photo, 3), photo.file.path);
    std::unique_ptr<Media::ResourceBuffer> picture;
    photo.inputVideo(picture, lone.context);
    EXPECT_TRUE(picture);

    // Off, a numbered file is just itself; an unreadable file shows nothing.
    Effect::ImageLoad single;
    single.file.path = path("img_8.png");
    single.inputVideo(picture, lone.context);
    ASSERT_TRUE(picture);
    MediaTest::expectNear(pixel(*picture, 0, 0), {160 / 255.0f, 0, 0, 1}, 0.02f);
    single.file.path = path("missing.png");
    single.inputVideo(picture, lone.context);
    EXPECT_FALSE(picture);
}

TEST_F(ImageFile, ChosenAndDroppedFilesAndTheNumbersRow) {
    Effect::ImageLoad image;
    EXPECT_STREQ(image.getDisplayName(), L"画像ファイル");
    EXPECT_TRUE(image.isSupportedFile(L"/x/a.PNG"));
    EXPECT_FALSE(image.isSupportedFile(L"/x/a.txt"));
    const std::wstring dropped = make("drop.png", 2);
    Effect::EffectEvent drop;
    drop.code = Effect::EffectEvent::FileDropped;
    drop.path = dropped.c_str();
    EXPECT_TRUE(image.effectEvent(drop));
    EXPECT_EQ(image.file.path, dropped);
    EXPECT_STREQ(image.getDisplayName(), L"drop.png");

    Effect::EffectEvent changed;
    changed.code = Effect::EffectEvent::ItemChanged;
    changed.item = &image.file;
    EXPECT_TRUE(image.effectEvent(changed));
    image.file.path = path("drop.txt");
    EXPECT_FALSE(image.effectEvent(changed));
    EXPECT_TRUE(image.file.path.empty());

    EXPECT_FALSE(image.number.visible);
    image.sequence.value = true;
    image.updateItemVisible();
    EXPECT_TRUE(image.number.visible);
}

}  // namespace

namespace {

TEST_F(ImageFile, TheInformationTooltipGivesTheSizeAndReader) {
    std::vector<std::wstring> tips;
    Effect::setInfoTipShower([&](const std::wstring& text) { tips.push_back(text); });
    Effect::ImageLoad image;
    Effect::EffectEvent show;
    show.code = Effect::EffectEvent::ShowInfo;
    EXPECT_FALSE(image.effectEvent(show));
    image.file.path = make("two.png", 1);
    EXPECT_TRUE(image.effectEvent(show));
    image.file.path = path("none.png");
    EXPECT_TRUE(image.effectEvent(show));
    Effect::setInfoTipShower(nullptr);
    ASSERT_EQ(tips.size(), 2u);
    EXPECT_EQ(tips[0], path("two.png") + L"\nImage: 2 x 2 \nPlugin: WIC image file reader");
    EXPECT_EQ(tips[1], path("none.png"));
}

}  // namespace
