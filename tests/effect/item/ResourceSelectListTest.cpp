#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "effect/item/EffectItemComboFile.h"
#include "effect/item/ResourceSelectList.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceSelectListTest, ChoicesAreTheListsNamesByIndex) {
    CoreTest::ProgramFolder folder;
    // Figure names are file titles, and a title may hold line breaks: the
    // choice is written as one line of a project, so each reads as a space.
    for (const char* title : {"mine", "two\nlines\r\nthree"})
        CoreTest::writeBytes((folder.data() / "Figure" / (std::string(title) + ".svg")).string(),
                             R"(<svg xmlns="http://www.w3.org/2000/svg"><rect width="1" height="1"/></svg>)");
    System::Singleton<Media::Direct3DService> direct3D;
    System::Singleton<Resource::ResourceService> resources;

    Effect::EffectItemSelect::SharedList& figures = Effect::figureSelectList();
    EXPECT_EQ(figures.items.size(), 10u);
    EXPECT_STREQ(figures.getName(0), L"背景");
    EXPECT_STREQ(figures.getName(7), L"ハート");
    EXPECT_EQ(figures.getValue(L"mine"), 8);
    EXPECT_STREQ(figures.getName(9), L"two lines three");
    Effect::ItemList items;
    Effect::EffectItemFigureSelect figure(items, L"図形", figures);
    figure.fromString("two lines three");
    EXPECT_EQ(figure.value, 9);
    EXPECT_EQ(figure.toString(), "two lines three");
    EXPECT_EQ(&Effect::figureSelectList(), &figures);

    Effect::EffectItemSelect::SharedList& wipes = Effect::transitionSelectList();
    EXPECT_EQ(wipes.items.size(), 7u);
    EXPECT_EQ(wipes.getValue(L"ワイプ(時計)"), 2);
    EXPECT_STREQ(wipes.getName(6), L"ワイプ(ハート)");
}

}  // namespace
