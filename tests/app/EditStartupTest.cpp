// The edit service as the program's start-up table builds it.
#include "app/StartupTable.h"

#include "edit/service/EditService.h"
#include "media/image/ImageBuffer.h"
#include "render/cache/CacheService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(EditStartup, SwitchingScenesDropsThePicturesRenderedFromScenes) {
    std::vector<App::StartupHolder> holders;
    for (const App::StartupRow& row : App::startupTable()) {
        const std::string name = row.name;
        if (name == "Cache::CacheService" || name == "Edit::EditService") holders.push_back(row.create());
    }
    ASSERT_EQ(holders.size(), 2u);
    Cache::ImageCache& images = System::Singleton<Cache::CacheService>::getInstance()->imageCache;
    const auto picture = Media::ImageBuffer::create(87, 2, 2);
    images.cache.complete({L"*1", 5}, picture, 1);
    images.cache.complete({L"/a.png", 0}, picture, 1);

    System::Singleton<Edit::EditService>::getInstance()->updateScene(1);
    EXPECT_EQ(images.cache.getKeys(), (std::vector<Cache::MediaCacheKey>{{L"/a.png", 0}}));
    while (!holders.empty()) holders.pop_back();
}

}  // namespace
