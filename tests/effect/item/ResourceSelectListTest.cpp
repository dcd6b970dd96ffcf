#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "effect/item/ResourceSelectList.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceSelectListTest, ChoicesAreTheListsNamesByIndex) {
    CoreTest::ProgramFolder folder;
    CoreTest::writeBytes((folder.data() / "Figure" / "mine.svg").string(),
                         R"(<svg xmlns="http://www.w3.org/2000/svg"><rect width="1" height="1"/></svg>)");
    System::Singleton<Media::Direct3DService> direct3D;
    System::Singleton<Resource::ResourceService> resources;

    Effect::EffectItemSelect::SharedList& figures = Effect::figureSelectList();
    EXPECT_EQ(figures.items.size(), 9u);
    EXPECT_STREQ(figures.getName(0), L"背景");
    EXPECT_STREQ(figures.getName(7), L"ハート");
    EXPECT_EQ(figures.getValue(L"mine"), 8);
    EXPECT_EQ(&Effect::figureSelectList(), &figures);

    Effect::EffectItemSelect::SharedList& wipes = Effect::transitionSelectList();
    EXPECT_EQ(wipes.items.size(), 7u);
    EXPECT_EQ(wipes.getValue(L"ワイプ(時計)"), 2);
    EXPECT_STREQ(wipes.getName(6), L"ワイプ(ハート)");
}

}  // namespace
