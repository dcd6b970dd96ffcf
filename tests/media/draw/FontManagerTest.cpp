#include "media/DrawingFixture.h"

#include "core/file/IniFile.h"
#include "core/text/NaturalCompare.h"
#include "media/draw/FontFace.h"
#include "media/draw/FontManager.h"

#include <algorithm>

namespace {

using Platform::Font::Style;

class FontManagerTest : public DrawingTest::DrawingServices {
protected:
    static Media::FontManager& fonts() { return direct2D().fontManager; }

    static std::vector<std::wstring> namesOf(const std::vector<Media::FontDefine*>& list) {
        std::vector<std::wstring> names;
        for (const Media::FontDefine* font : list) names.push_back(font->name);
        return names;
    }
    static const Media::FontDefine* find(const std::wstring& name) {
        for (Media::FontDefine* font : fonts().getFontList())
            if (font->name == name) return font;
        return nullptr;
    }
};

// The pinned fonts, by menu order: one entry per legacy family name of an
// upright face; later faces of a name (the bold ones) use up an order value.
TEST_F(FontManagerTest, RegistersOneEntryPerLegacyFamilyName) {
    const std::vector<std::wstring> expected = {
        L"DejaVu Math TeX Gyre", L"DejaVu Sans Light",     L"DejaVu Sans Condensed", L"DejaVu Sans",
        L"DejaVu Sans Mono",     L"Noto Sans CJK HK",      L"Noto Sans CJK JP",      L"Noto Sans CJK KR",
        L"Noto Sans CJK SC",     L"Noto Sans CJK TC",      L"Noto Sans Mono CJK HK", L"Noto Sans Mono CJK JP",
        L"Noto Sans Mono CJK KR", L"Noto Sans Mono CJK SC", L"Noto Sans Mono CJK TC", L"Noto Serif CJK HK",
        L"Noto Serif CJK JP",    L"Noto Serif CJK KR",     L"Noto Serif CJK SC",     L"Noto Serif CJK TC",
    };
    const std::vector<Media::FontDefine*> list = fonts().getFontList();
    EXPECT_EQ(namesOf(list), expected);
    // DejaVu Sans: light 1, condensed 2, book 3, condensed bold 4, bold 5.
    EXPECT_EQ(find(L"DejaVu Sans")->order, 3);
    EXPECT_EQ(find(L"DejaVu Sans Mono")->order, 6);
    EXPECT_EQ(find(L"Noto Sans CJK HK")->order, 8);
    // The regular face holds the name, not the bold one.
    EXPECT_EQ(find(L"Noto Sans CJK JP")->font->weight, 400);
    // DejaVu Serif has only italic faces here: no entry.
    EXPECT_EQ(find(L"DejaVu Serif"), nullptr);
}

TEST_F(FontManagerTest, TheStartLogListsEveryRegisteredFontOnce) {
    CoreTest::LogLines log;
    Media::FontManager manager;
    manager.registerFont(Platform::Font::FontCollection::system(), "en-US");
    std::vector<std::string> lines;
    for (const CoreTest::CapturedLine& line : log.of(System::Log::INFO))
        if (line.tag == "Media::FontManager::registerFont") lines.push_back(line.text);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "register font [DejaVu Math TeX Gyre]*");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "register font [Noto Sans CJK JP]*"), lines.end());
}

TEST_F(FontManagerTest, FamiliesWithoutANameInTheUsersLanguageAreHidden) {
    Media::FontManager english;
    english.registerFont(Platform::Font::FontCollection::system(), "en-US");
    Media::FontManager japanese;
    japanese.registerFont(Platform::Font::FontCollection::system(), "ja-JP");
    for (const Media::FontDefine* font : english.getFontList()) {
        SCOPED_TRACE(font->key);
        EXPECT_EQ(font->hide, 0);
    }
    int hidden = 0;
    for (const Media::FontDefine* font : japanese.getFontList()) {
        SCOPED_TRACE(font->key);
        const bool japaneseName = font->font->family->familyNames().find("ja-JP").has_value();
        EXPECT_EQ(font->hide, japaneseName ? 0 : 1);
        hidden += font->hide;
    }
    EXPECT_EQ(hidden, 17);  // only the JP families of Noto CJK have Japanese names
    const auto japaneseEntry = [&](const wchar_t* name) {
        for (const Media::FontDefine* font : japanese.getFontList())
            if (font->name == name) return font->hide;
        return -1;
    };
    EXPECT_EQ(japaneseEntry(L"Noto Sans CJK JP"), 0);
    EXPECT_EQ(japaneseEntry(L"Noto Sans CJK KR"), 1);
    EXPECT_EQ(japaneseEntry(L"DejaVu Sans"), 1);
}

TEST_F(FontManagerTest, SavedMenuSettingsReplaceTheDefaults) {
    stop();
    CoreTest::writeBytes((folder().data() / "movane2.ini").string(),
                         "[Font.DejaVu Sans Mono]\r\nlabel=Mono\r\norder=-5\r\nhide=1\r\n");
    start();
    const Media::FontDefine* mono = find(L"DejaVu Sans Mono");
    EXPECT_EQ(mono->order, -5);
    EXPECT_EQ(mono->hide, 1);
    EXPECT_EQ(mono->label, L"Mono");
    EXPECT_EQ(fonts().getFontList().front(), mono);
}

TEST_F(FontManagerTest, EveryFontGetsAMenuSectionInTheMainSettingsFile) {
    stop();
    const std::string ini = CoreTest::readBytes((folder().data() / "movane2.ini").string());
    for (const char* name : {"DejaVu Sans", "Noto Sans CJK JP", "Noto Serif CJK TC"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(ini.find(std::string("[Font.") + name + "]"), std::string::npos);
    }
    EXPECT_NE(ini.find("[Font.Noto Sans CJK JP]\r\nlabel=\r\norder=10\r\nhide=0\r\n"), std::string::npos) << ini;
    start();
}

TEST_F(FontManagerTest, TheListByNameIsInNaturalOrder) {
    const std::vector<std::wstring> names = namesOf(fonts().getFontListByName());
    ASSERT_EQ(names.size(), 20u);
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LE(System::compareStringNatural(names[i - 1], names[i]), 0) << i;
    EXPECT_EQ(names[1], L"DejaVu Sans");
    EXPECT_EQ(names[2], L"DejaVu Sans Condensed");
}

TEST_F(FontManagerTest, BoldAndItalicAreFoundInTheFamily) {
    struct Case {
        const wchar_t* name;
        bool bold;
        bool italic;
        int weight;
        int stretch;
        Style style;
        unsigned simulations;
    };
    const Case cases[] = {
        {L"Noto Sans CJK JP", false, false, 400, 5, Style::Normal, 0},
        {L"Noto Sans CJK JP", true, false, 700, 5, Style::Normal, 0},
        // No italic face: the upright one, slanted.
        {L"Noto Sans CJK JP", false, true, 400, 5, Style::Normal, Platform::Font::SimulationOblique},
        // Its slanted faces call themselves italic (OS/2).
        {L"DejaVu Sans Mono", true, true, 700, 5, Style::Italic, 0},
        // Light (200) made bold asks for 400, and keeps the stretch.
        {L"DejaVu Sans Light", true, false, 400, 5, Style::Normal, 0},
        {L"DejaVu Sans Condensed", true, false, 700, 4, Style::Normal, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bold << c.italic << " " << c.stretch);
        const auto font = fonts().getFont(c.name, c.bold, c.italic);
        EXPECT_EQ(font->weight, c.weight);
        EXPECT_EQ(font->stretch, c.stretch);
        EXPECT_EQ(font->style, c.style);
        EXPECT_EQ(font->simulations, c.simulations);
    }
}

TEST_F(FontManagerTest, AnUnknownNameGivesTheDefaultFamilysFace) {
    // "Yu Gothic UI" is not installed: the shipped alias sets it in Noto Sans CJK JP.
    EXPECT_EQ(Setting::DefaultFamily, L"Yu Gothic UI");
    const auto regular = fonts().getFont(L"No Such Font", false, false);
    EXPECT_EQ(regular->family->familyNames().pick("en-us"), L"Noto Sans CJK JP");
    EXPECT_EQ(regular->weight, 400);
    EXPECT_EQ(fonts().getFont(L"No Such Font", true, false)->weight, 700);

    // Without the default family either: the collection's first family.
    const std::wstring saved = Setting::DefaultFamily;
    Setting::DefaultFamily = L"No Such Family";
    const auto first = fonts().getFont(L"No Such Font", false, false);
    Setting::DefaultFamily = saved;
    EXPECT_EQ(first->family->familyNames().pick("en-us"), L"DejaVu Math TeX Gyre");
}

TEST_F(FontManagerTest, AFontFaceTakesItsMetricsFromTheFont) {
    Resource::FontFace face;
    face.setFont(L"Noto Sans CJK JP", 20, false, false, true, false);
    ASSERT_NE(face.get(), nullptr);
    // Noto Sans CJK: 1000 units per em, ascent 1160, descent 288, no gap.
    EXPECT_FLOAT_EQ(face.scale, 0.02f);
    EXPECT_FLOAT_EQ(face.ascent, 23.2f);
    EXPECT_FLOAT_EQ(face.lineHeight, 28.96f);
    EXPECT_GT(face.strikeThroughThickness, 0.0f);
    EXPECT_GT(face.strikeThroughPosition, 0.0f);

    face.setFont(L"Noto Sans CJK JP", 20, true, false, false, true);
    EXPECT_FLOAT_EQ(face.lineHeight, 20.0f);
    EXPECT_FLOAT_EQ(face.ascent, 10.0f);
    EXPECT_EQ(face.strikeThroughThickness, 0.0f);
}

}  // namespace
