#include "effect/registry/PaletteManager.h"

#include "effect/RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

using Effect::Palette;
using Effect::PaletteDefine;
using Effect::PaletteManager;

class Palettes : public ::testing::Test {
protected:
    RegistryTest::Environment env;

    std::string path(const std::string& name) { return env.file("Default", name + ".palette"); }
    void write(const std::string& name, const std::string& text) { CoreTest::writeBytes(path(name), text); }
    std::string read(const std::string& name) { return CoreTest::readBytes(path(name)); }

    // 64 lines of black with the given lines in their places.
    static std::string blackExcept(const std::map<int, std::string>& lines) {
        std::string text;
        for (int i = 0; i < 64; ++i) {
            const auto found = lines.find(i);
            text += found != lines.end() ? found->second : std::to_string(i) + "=000000";
            text += "\r\n";
        }
        return text;
    }
    static std::vector<std::wstring> presetNames(const PaletteManager& manager) {
        std::vector<std::wstring> names;
        for (const auto* define : manager.getPresetColorList()) names.push_back(define->name);
        return names;
    }
};

TEST_F(Palettes, AnEmptyFolderGetsTheDefaultPalette) {
    PaletteManager manager;
    manager.reloadPalette();
    std::string expected;
    // (8 - k) / 8 of each channel, times 255, halves away from zero.
    const char* shades[8][8] = {
        {"ffffff", "dfdfdf", "bfbfbf", "9f9f9f", "808080", "606060", "404040", "202020"},
        {"ff0000", "df0000", "bf0000", "9f0000", "800000", "600000", "400000", "200000"},
        {"ffff00", "dfdf00", "bfbf00", "9f9f00", "808000", "606000", "404000", "202000"},
        {"00ff00", "00df00", "00bf00", "009f00", "008000", "006000", "004000", "002000"},
        {"00ffff", "00dfdf", "00bfbf", "009f9f", "008080", "006060", "004040", "002020"},
        {"0000ff", "0000df", "0000bf", "00009f", "000080", "000060", "000040", "000020"},
        {"ff00ff", "df00df", "bf00bf", "9f009f", "800080", "600060", "400040", "200020"},
        {"000000", "000000", "000000", "000000", "000000", "000000", "000000", "000000"},
    };
    const char* names[8] = {"white", "red", "yellow", "green", "aqua", "blue", "magenta", "black"};
    for (int b = 0; b < 8; ++b)
        for (int k = 0; k < 8; ++k)
            expected += std::to_string(8 * b + k) + "=" + shades[b][k] +
                        (k == 0 ? std::string("|") + names[b] : std::string()) + "\r\n";
    EXPECT_EQ(read("default"), expected);
    EXPECT_EQ(presetNames(manager), (std::vector<std::wstring>{L"white", L"red", L"yellow", L"green",
                                                                L"aqua", L"blue", L"magenta", L"black"}));
    const auto* red = manager.findPresetColor(L"red");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->key, "Color.red");
    EXPECT_FLOAT_EQ(red->color[0], 1.0f);
    EXPECT_FLOAT_EQ(red->color[1], 0.0f);
    EXPECT_FLOAT_EQ(red->color[3], 1.0f);
    // Read back, the file gives the same palette.
    manager.reloadPalette();
    ASSERT_EQ(manager.getPaletteList().size(), 1u);
    EXPECT_EQ(manager.getPaletteList()[0]->palette->name, L"default");
    EXPECT_EQ(env.infoLines("Effect::PaletteManager::registerPalette"),
              std::vector<std::string>{"register palette [default]"});
}

TEST_F(Palettes, LinesOfAPaletteFile) {
    write("p", "3=ff0000|Sun\r\n;5=ffffff\r\n70=ffffff\r\nx=ffffff\r\n-1=ffffff\r\n6=ffffff|A|B\n"
               "7=12345\r\n8=zz0000\r\n9=   \r\n10=abcdef|\r\n11==aaaaaa\r\n12=00FF00 \r\n");
    const auto entries = PaletteDefine::loadPaletteFile(System::String::toWide(path("p")));
    ASSERT_EQ(entries.size(), 64u);
    EXPECT_EQ(entries[3].name, L"Sun");
    EXPECT_FLOAT_EQ(entries[3].color[0], 1.0f);
    EXPECT_FLOAT_EQ(entries[3].color[1], 0.0f);
    EXPECT_EQ(entries[5].name, L"");
    EXPECT_FLOAT_EQ(entries[5].color[0], 0.0f);  // a comment
    EXPECT_EQ(entries[6].name, L"A");
    for (const int skipped : {7, 8, 9, 11}) EXPECT_FLOAT_EQ(entries[skipped].color[0], 0.0f) << skipped;
    EXPECT_FLOAT_EQ(entries[10].color[0], 0xab / 255.0f);
    EXPECT_EQ(entries[10].name, L"");
    EXPECT_FLOAT_EQ(entries[12].color[1], 1.0f);
    EXPECT_TRUE(PaletteDefine::loadPaletteFile(System::String::toWide(path("none"))).empty());

    // Saving writes every entry, black ones too.
    PaletteDefine::savePaletteFile(System::String::toWide(path("q")), entries);
    const std::string saved = read("q");
    EXPECT_EQ(saved.substr(0, 32), "0=000000\r\n1=000000\r\n2=000000\r\n3=");
    EXPECT_NE(saved.find("\r\n3=ff0000|Sun\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\n6=ffffff|A\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\n63=000000\r\n"), std::string::npos);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 64);
}

TEST_F(Palettes, PresetColoursFromNamedEntries) {
    write("a", "0=ff0000|Sun\r\n1=00ff00|Leaf\r\n");
    write("b", "0=0000ff|Sun\r\n");
    write("c", "; nothing but a comment\r\n");
    PaletteManager manager;
    manager.reloadPalette();
    // No default palette while any palette exists (an empty file is one).
    ASSERT_EQ(manager.getPaletteList().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(path("default")));
    // A name in two palettes belongs to the first; both are logged.
    EXPECT_FLOAT_EQ(manager.findPresetColor(L"Sun")->color[0], 1.0f);
    EXPECT_EQ(env.infoLines("Effect::PaletteManager::reloadPresetColor"),
              (std::vector<std::string>{"register preset color [Sun]", "register preset color [Leaf]",
                                        "register preset color [Sun]"}));
    EXPECT_EQ(presetNames(manager), (std::vector<std::wstring>{L"Sun", L"Leaf"}));
    // Numbers keep growing across rebuilds (saved orders win for the rest).
    write("d", "0=ffffff|New\r\n");
    manager.reloadPalette();
    EXPECT_EQ(manager.findPresetColor(L"New")->order, 6);
    EXPECT_EQ(manager.findPresetColor(L"Leaf")->order, 1);
}

TEST_F(Palettes, NamingAnEntryTakesTheNameFromOtherPalettes) {
    write("P", "1=ffffff\r\n");
    write("Q", "2=00ff00|Sun\r\n");
    PaletteManager manager;
    manager.reloadPalette();
    Palette& p = *manager.getPaletteList()[0]->palette;
    ASSERT_EQ(p.name, L"P");
    manager.setPresetColorName(p, 1, L"Sun");
    EXPECT_EQ(read("P"), blackExcept({{1, "1=ffffff|Sun"}}));
    EXPECT_EQ(read("Q"), blackExcept({{2, "2=00ff00"}}));
    EXPECT_FLOAT_EQ(manager.findPresetColor(L"Sun")->color[2], 1.0f);  // P's white now

    manager.setPresetColorName(p, 1, nullptr);
    EXPECT_EQ(read("P"), blackExcept({{1, "1=ffffff"}}));
    EXPECT_EQ(manager.findPresetColor(L"Sun"), nullptr);
    manager.setPresetColorName(p, 64, L"x");  // no such entry
    EXPECT_EQ(manager.findPresetColor(L"x"), nullptr);
}

TEST_F(Palettes, PresetNamesReadBackAsTyped) {
    write("P", "1=ffffff|Old\r\n");
    PaletteManager manager;
    manager.reloadPalette();
    Palette& p = *manager.getPaletteList()[0]->palette;
    const std::string before = read("P");
    // Names the file could not hold are refused; nothing changes or is saved.
    for (const wchar_t* name : {L"a=b", L"a|b", L"line\nbreak", L"cr\r", L"="}) {
        SCOPED_TRACE(System::String::toUtf8(name));
        EXPECT_FALSE(PaletteDefine::isValidPresetName(name));
        EXPECT_FALSE(manager.setPresetColorName(p, 1, name));
        EXPECT_EQ(p.entries[1].name, L"Old");
        EXPECT_EQ(read("P"), before);
    }
    EXPECT_FALSE(PaletteDefine::isValidPresetName(std::wstring(L"a\0b", 3)));
    // Any other name comes back from the file exactly.
    for (const wchar_t* name : {L" spaced ", L";semi", L"%Default%\\x", L"\u8d64\u3044 #1", L"tab\there"}) {
        SCOPED_TRACE(System::String::toUtf8(name));
        EXPECT_TRUE(manager.setPresetColorName(p, 1, name));
        const std::vector<Effect::PaletteEntry> entries =
            PaletteDefine::loadPaletteFile(System::String::toWide(path("P")));
        ASSERT_EQ(entries.size(), 64u);
        EXPECT_EQ(entries[1].name, std::wstring(name));
        EXPECT_FLOAT_EQ(entries[1].color[0], 1.0f);
    }
}

TEST_F(Palettes, DuplicatesAndSaveFailuresAreShownInBoxes) {
    write("a", "0=ff0000\r\n");
    PaletteManager manager;
    manager.reloadPalette();
    manager.registerPalette(System::String::toWide(path("a")));
    std::filesystem::create_directory(path("a") + ".tmp");
    manager.savePalette(*manager.getPaletteList()[0]->palette);
    EXPECT_EQ(env.errorBoxes(), (std::vector<std::string>{
                                    "Failed to register palette. [a]\n\nDuplicate params with the same key exist.",
                                    "パレットの保存に失敗しました"}));
    EXPECT_EQ(read("a"), "0=ff0000\r\n");
}

TEST_F(Palettes, ListsSortByNameAndLabelsAreDistinct) {
    write("b", "0=ff0000|one\r\n");
    write("B", "0=ff0000|two\r\n");
    write("a", "0=ff0000|three\r\n");
    env.settings.loadMemory("[Color.one]\r\nlabel=暖色\r\n[Color.two]\r\nlabel=寒色\r\n"
                            "[Color.three]\r\nlabel=暖色\r\n");
    PaletteManager manager;
    manager.reloadPalette();
    std::vector<std::wstring> names;
    for (const auto* define : manager.getPaletteList()) names.push_back(define->palette->name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"B", L"a", L"b"}));
    const auto labels = manager.getPresetColorLabelList();
    // Orders follow the palettes' name order: two, three, one.
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_STREQ(labels[0], L"寒色");
    EXPECT_STREQ(labels[1], L"暖色");
}

// Text drawing looks preset colours up from render threads while the
// user-interface thread rebuilds them: every lookup finds the colour whole,
// never a half-built table or a missing name.
TEST_F(Palettes, PresetColoursAreFoundByOtherThreadsWhileTheyAreRebuilt) {
    write("a", "0=ff8000|Sun\r\n1=00ff00|Leaf\r\n");
    PaletteManager manager;
    manager.reloadPalette();
    std::atomic<bool> done{false};
    std::atomic<int> lookups{0};
    int wrong = 0;
    std::thread reader([&] {
        while (!done.load()) {
            float rgba[4] = {};
            ++lookups;
            if (!manager.getPresetColor(L"Sun", rgba) || rgba[0] != 1.0f ||
                std::abs(rgba[1] - 128 / 255.0f) > 1e-6f || rgba[2] != 0.0f || rgba[3] != 1.0f)
                ++wrong;
            if (manager.getPresetColor(L"Moon", rgba)) ++wrong;
        }
    });
    // On a busy machine the reader may not run at all during 200 rebuilds:
    // go on rebuilding until it has looked up often enough to overlap them.
    for (int i = 0; i < 200 || lookups.load() < 100; ++i) manager.reloadPresetColor();
    done = true;
    reader.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
