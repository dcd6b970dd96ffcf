// The items that offer media choices, with the program's own services
// started by its start-up table.
#include "app/StartupTable.h"

#include "core/CoreTestSupport.h"
#include "core/text/StringConvert.h"
#include "effect/item/EffectItemSelect.h"
#include "effect/item/EffectItemYUV.h"
#include "media/draw/Direct2DService.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

TEST(MediaSources, FontAndColourSpaceItemsReadTheStartedServices) {
    TestSupport::useTestDisplay();
    CoreTest::ProgramFolder folder;
    std::filesystem::copy_file(std::filesystem::path(MOVANE2_SOURCE_DIR) / "conf" / "fonts.conf",
                               folder.program() / "fonts.conf");
    // Every row up to the effect registry, as the program starts them.
    std::vector<App::StartupHolder> holders;
    for (const App::StartupRow& row : App::startupTable()) {
        holders.push_back(row.create());
        if (std::string(row.name) == "Effect::EffectService") break;
    }

    Effect::ItemList items;
    Effect::EffectItemFontSelect font(items, L"フォント");
    const auto fonts = Media::Direct2DService::Get().fontManager.getFontListByName();
    ASSERT_FALSE(fonts.empty());
    // The item starts at the default family and writes its name.
    EXPECT_EQ(font.toString(), System::String::toUtf8(fonts[static_cast<std::size_t>(font.value)]->name));
    font.fromString(System::String::toUtf8(fonts.back()->name));
    EXPECT_EQ(font.value, static_cast<int>(fonts.size()) - 1);

    // The colour spaces of the shipped system.conf, by name both ways.
    Effect::EffectItemYUV yuv(items, L"色空間");
    for (const auto& [text, index] : std::vector<std::pair<std::string, int>>{
             {"BT.601", 1}, {"BT.709", 2}, {"BT.2020,1", 3}}) {
        yuv.fromString(text);
        EXPECT_EQ(yuv.colorSpace, index) << text;
        EXPECT_EQ(yuv.toString(), text);
    }

    while (!holders.empty()) holders.pop_back();
}

}  // namespace
