// The palette grid's cells, tooltips and the palettes it chooses and
// creates, over palette files in a data folder of the test's own.
#include "settings/color/PaletteGrid.h"

#include "core/CoreTestSupport.h"
#include "effect/RegistryTestSupport.h"

#include <gtest/gtest.h>

namespace {

namespace G = Component::PaletteGrid;

TEST(PaletteGrid, CellsSplitTheControlEightByEight) {
    const struct {
        int x, y, width, height, cell;
    } cases[] = {
        {0, 0, 80, 80, 0},      {9, 0, 80, 80, 0},   {10, 0, 80, 80, 1},   {79, 0, 80, 80, 7},
        {0, 10, 80, 80, 8},     {79, 79, 80, 80, 63}, {45, 25, 80, 80, 20}, {-5, -5, 80, 80, 0},
        {200, 200, 80, 80, 63}, {0, 0, 0, 0, 0},     {99, 12, 100, 100, 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(G::cellAt(c.x, c.y, c.width, c.height), c.cell) << c.x << "," << c.y << " in " << c.width;
    // 100 / 8 does not divide: cells are 12 or 13 wide and meet without gaps.
    const G::CellRect one = G::cellRect(1, 100, 100), nine = G::cellRect(9, 100, 100), last = G::cellRect(63, 100, 100);
    EXPECT_EQ((std::array{one.left, one.top, one.right, one.bottom}), (std::array{12, 0, 25, 12}));
    EXPECT_EQ((std::array{nine.left, nine.top, nine.right, nine.bottom}), (std::array{12, 12, 25, 25}));
    EXPECT_EQ((std::array{last.left, last.top, last.right, last.bottom}), (std::array{87, 87, 100, 100}));
}

class PaletteGridFiles : public ::testing::Test {
protected:
    RegistryTest::Environment env;
    void write(const std::string& name, const std::string& text) {
        CoreTest::writeBytes(env.file("Default", name + ".palette"), text);
    }
};

TEST_F(PaletteGridFiles, TooltipsChoicesAndCopies) {
    write("bright", "0=ff8000|橙\r\n1=00ff00\r\n");
    write("alpha", "5=102030|dark\r\n");
    Effect::PaletteManager palettes;
    palettes.reloadPalette();

    // A stored name that names no palette shows the first by name.
    EXPECT_EQ(G::choosePalette(palettes, L"gone")->name, L"alpha");
    EXPECT_EQ(G::choosePalette(palettes, L"")->name, L"alpha");
    const std::shared_ptr<Effect::Palette> bright = G::choosePalette(palettes, L"bright");
    ASSERT_EQ(bright->name, L"bright");

    EXPECT_EQ(G::cellTooltip(*bright, 0), L"プリセット名 : 橙\nパレット : bright\nR : 255\nG : 128\nB : 0");
    EXPECT_EQ(G::cellTooltip(*bright, 1), L"パレット : bright\nR : 0\nG : 255\nB : 0");

    // A new palette keeps every colour and drops every name.
    const std::shared_ptr<Effect::Palette> copy = G::copyWithoutNames(*bright, L"p2");
    EXPECT_EQ(copy->name, L"p2");
    ASSERT_EQ(copy->entries.size(), 64u);
    for (std::size_t i = 0; i < 64; ++i) {
        EXPECT_TRUE(copy->entries[i].name.empty()) << i;
        for (int c = 0; c < 4; ++c) EXPECT_EQ(copy->entries[i].color[c], bright->entries[i].color[c]) << i;
    }
    EXPECT_EQ(bright->entries[0].name, L"橙") << "the source keeps its names";
    palettes.savePalette(*copy);
    EXPECT_EQ(CoreTest::readBytes(env.file("Default", "p2.palette")).substr(0, 20), "0=ff8000\r\n1=00ff00\r\n");
}

}  // namespace
