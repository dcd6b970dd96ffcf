#include "media/text/TextFixture.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace {

using namespace TextTest;

constexpr char32_t kOne = U'一';  // a plain horizontal bar, one em wide

// The layout of the glyphs, measured: no picture needed.
class TextLayoutMeasureTest : public TextDrawTest {};

TEST_F(TextLayoutMeasureTest, IdeographsAdvanceOneEmAndLinesTakeTheFontsHeight) {
    const FaceFacts noto("Noto Sans CJK JP");
    auto draw = measured(L"日本語\n日本", {});
    EXPECT_FLOAT_EQ(draw->width(), 120);
    ASSERT_EQ(draw->lines().size(), 2u);
    EXPECT_NEAR(draw->lines()[0].height, noto.lineHeight(40), 1e-3);
    EXPECT_NEAR(draw->lines()[0].baseline, noto.ascent(40), 1e-3);
    EXPECT_FLOAT_EQ(draw->lines()[0].extent, 120);
    EXPECT_FLOAT_EQ(draw->lines()[1].extent, 80);
    EXPECT_NEAR(draw->height(), 2 * noto.lineHeight(40), 1e-3);
    EXPECT_EQ(draw->characterCount(), 5);
}

TEST_F(TextLayoutMeasureTest, SizeAndPositionTagsShapeTheLayout) {
    struct Row {
        const wchar_t* text;
        float width;  // for base size 10
        int characters;
    };
    const Row rows[] = {
        {L"一<s*2>一<s*2>一<s>一<s+5>一", 10 + 20 + 40 + 10 + 15, 5},
        {L"<s-4>一", 6, 1},
        {L"<s5000>一", 1000, 1},  // sizes stay within 1..1000
        {L"<s0>一", 1, 1},
        {L"<p10,20>一", 20, 1},
        {L"一<p+10,-5>一", 30, 2},
        {L"<p10>一", 0, 6},  // not a tag: drawn as text
        {L"<s.>", 0, 4},
        {L"<x>", 0, 3},
        {L"<#ff0000>一<#>一<@>一<r0>一<r>一<w1>一<w*0.5>", 60, 6},
    };
    for (const Row& row : rows) {
        Options options;
        options.size = 10;
        auto draw = measured(row.text, options);
        EXPECT_EQ(draw->characterCount(), row.characters) << row.text;
        if (row.width > 0) {

            EXPECT_FLOAT_EQ(draw->width(), row.width) << row.text;

        }
    }
    Options options;
    options.size = 10;
    auto moved = measured(L"<p10,20>一", options);
    const FaceFacts noto("Noto Sans CJK JP");
    EXPECT_NEAR(moved->height(), 20 + noto.lineHeight(10), 1e-3);
}

TEST_F(TextLayoutMeasureTest, ALargerSizeInTheLineGrowsTheWholeLine) {
    const FaceFacts noto("Noto Sans CJK JP");
    Options options;
    options.size = 10;
    auto draw = measured(L"一<s30>一\n一", options);
    ASSERT_EQ(draw->lines().size(), 2u);
    EXPECT_NEAR(draw->lines()[0].height, noto.lineHeight(30), 1e-3);
    EXPECT_NEAR(draw->lines()[0].baseline, noto.ascent(30), 1e-3);
    // The size stays for the next line until a tag changes it.
    EXPECT_NEAR(draw->lines()[1].height, noto.lineHeight(30), 1e-3);
    EXPECT_FLOAT_EQ(draw->width(), 40);
}

TEST_F(TextLayoutMeasureTest, AGlyphReachingLeftOfTheLineStartShiftsThatLine) {
    const FaceFacts noto("Noto Sans CJK JP");
    const float size = 100;
    const float bearing = noto.leftBearing(U'j', size);
    ASSERT_LT(bearing, 0);  // "j" reaches left of its origin
    Options options;
    options.size = size;
    auto draw = measured(L"j\naj", options);
    ASSERT_EQ(draw->lines().size(), 2u);
    EXPECT_FLOAT_EQ(draw->lines()[0].start, -bearing);
    EXPECT_FLOAT_EQ(draw->lines()[0].extent, -bearing + noto.advance(U'j', size));
    EXPECT_FLOAT_EQ(draw->lines()[1].start, 0);  // not at the line's start: no shift
}

TEST_F(TextLayoutMeasureTest, DecorationWidthsOfSizeTagsAreLimitedToTheSize) {
    const FaceFacts noto("Noto Sans CJK JP");
    const float bearing = noto.leftBearing(kOne, 20);
    struct Row {
        const wchar_t* text;
        float width;
    };
    for (const Row& row : {Row{L"<s20,,,50>一", 20}, Row{L"<s20,,,5>一", 5}, Row{L"<s20>一", 20 * 0.1f}}) {
        Options options;
        options.decorationRatio = 0.1f;
        options.size = 20;
        auto draw = measured(row.text, options);
        // The margin holds half the border and one pixel beyond the glyph.
        EXPECT_FLOAT_EQ(draw->marginLeft(), row.width / 2 + 1 - bearing) << row.text;
    }
}

TEST_F(TextLayoutMeasureTest, TimingTagsMoveTheDisplayTime) {
    struct Row {
        const wchar_t* text;
        double seconds;  // at 10 characters per second
    };
    const Row rows[] = {
        {L"abc", 0.3},
        {L"abc<w*0.5>", 0.3 + 1.5},
        {L"abc<w1>", 1.3},
        {L"abc<w*0.5>d<w*0.5>", 0.4 + 1.5 + 0.5},  // the count restarts after a proportional wait
        {L"a<r0>bcd", 0.1},                         // all at once after <r0>
        {L"a<r0>bc<r>d", 0.2},
        {L"a<r2>bc", 0.1 + 1.0},
        {L"ab<c1>cd", 0.2 + 1 + 0.2},
        {L"ab<c*1>cd", 0.2 + 2 + 0.2},
    };
    for (const Row& row : rows) {
        Options options;
        options.speed = 10;
        auto draw = measured(row.text, options);
        EXPECT_NEAR(draw->displayTime(), row.seconds, 1e-9) << row.text;
    }
}

TEST_F(TextLayoutMeasureTest, UnusualCharactersNeverBreakTheLayout) {
    struct Row {
        std::wstring text;
        int characters;
        std::size_t lines;
    };
    const Row rows[] = {
        {L"", 0, 1},
        {L"<s20><#ff0000>\n\n<c>", 0, 4},  // tags and line feeds only; the clear tag ends a line
        {L"一\r\n一", 2, 2},                                        // the carriage return is skipped
        {L"a\tb", 2, 1},
        {std::wstring(L"\U0001F600"), 1, 1},                       // outside the basic plane
        {std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}, 1, 1},    // the same as UTF-16 units
        {std::wstring{L'a', wchar_t(0xD800), L'b'}, 3, 1},         // a lone half
        {std::wstring{wchar_t(0xDC00)}, 1, 1},
        {std::wstring{wchar_t(0x110000)}, 1, 1},                   // beyond Unicode
        {L"<<<<#>>>>", 6, 1},
        {L"<s" + std::wstring(100000, L'9'), 100002, 1},           // never closed
    };
    for (const Row& row : rows) {
        auto draw = measured(row.text);
        EXPECT_EQ(draw->characterCount(), row.characters) << row.text.size();
        EXPECT_EQ(draw->lines().size(), row.lines) << row.text.size();
    }
}

TEST_F(TextLayoutMeasureTest, HostileValuesKeepThePictureBounded) {
    const wchar_t* texts[] = {
        L"<p100000000,100000000>一",
        L"<p-100000000,-100000000>一",
        L"<p3.4e38,3.4e38>一<p+340000000000000000000000000000000000000,0>一",
        L"<s1000>一一一一一一一一一一一一一一一一一一一一一一一一\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n一",
    };
    for (const wchar_t* text : texts) {
        Options options;
        options.decorationRatio = 1e9f;
        auto draw = measured(text, options);
        EXPECT_GE(draw->pictureWidth(), 0) << text;
        EXPECT_LE(draw->pictureWidth(), Media::TextDraw::pictureSideLimit) << text;
        EXPECT_LE(draw->pictureHeight(), Media::TextDraw::pictureSideLimit) << text;
        EXPECT_LE(std::int64_t(draw->pictureWidth()) * draw->pictureHeight(), Media::TextDraw::pictureAreaLimit)
            << text;
    }
}

TEST_F(TextLayoutMeasureTest, UnknownFontsAndEmptyNamesFallBackToADefault) {
    for (const wchar_t* font : {L"", L"No Such Family 12345"}) {
        Options options;
        options.font = font;
        auto draw = measured(L"Ab日", options);
        EXPECT_GT(draw->width(), 40);
        EXPECT_EQ(draw->characterCount(), 3);
    }
}

TEST_F(TextLayoutMeasureTest, RenderWorkersMeasureTextsAtTheSameTime) {
    const std::wstring text = L"日本語 Latin <s20,,B>bold<s>\n<@DejaVu Sans>two";
    const float width = measured(text)->width();
    std::vector<std::thread> workers;
    std::atomic<int> mismatches = 0;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i) {
                Media::TextDraw draw(text.c_str(), L"Noto Sans CJK JP", 40, 0.1f, 0.5f, true, false, false, t % 2 == 1, 0,
                                     0, 0, 0, 0, red, blue);
                draw.layoutText(nullptr);
                if (t % 2 == 0 && draw.width() != width) ++mismatches;
            }
        });
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(mismatches, 0);
}

// Pictures drawn through the GPU path and read back.
class TextPictureTest : public TextDrawTest {};

TEST_F(TextPictureTest, LatinAndJapaneseWithBorderAndShadow) {
    const FaceFacts noto("Noto Sans CJK JP");
    const float size = 100;
    const float shadowOffset = size * 0.05f;  // 5 pixels
    struct Row {
        float ratio;
        float shadow;
    };
    for (const Row& row : {Row{0.1f, 0}, Row{0.06f, 0.5f}}) {
        SCOPED_TRACE(row.shadow);
        Options options;
        options.size = size;
        options.decorationRatio = row.ratio;
        options.shadow = row.shadow;
        options.characterSpacing = 50;  // room between the glyphs' decorations
        auto draw = make(L"H一", options);
        const Picture picture = drawn(*draw);
        ASSERT_GT(picture.width, 0);
        const float border = size * row.ratio;
        const float baseline = draw->marginTop() + noto.ascent(size);
        const float advanceH = noto.advance(U'H', size);
        EXPECT_FLOAT_EQ(draw->width(), advanceH + 50 + size);

        const float origins[2] = {draw->marginLeft(), draw->marginLeft() + advanceH + 50};
        const float advances[2] = {advanceH, size};
        const char32_t glyphs[2] = {U'H', kOne};
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(i);
            const std::array<float, 4> outline = noto.box(glyphs[i], size);
            const int from = static_cast<int>(origins[i]) - 25;
            const int to = static_cast<int>(origins[i] + advances[i]) + 25;
            // The text colour covers the outline; without a shadow the border
            // lies around it, with one the outline is widened in its own colour.
            const float grown = row.shadow > 0 ? border / 2 : 0;
            const Box text = picture.box(reddish, from, to);
            ASSERT_FALSE(text.empty());
            EXPECT_NEAR(text.left, origins[i] + outline[0] - grown, 1.5);
            EXPECT_NEAR(text.right + 1, origins[i] + outline[2] + grown, 1.5);
            EXPECT_NEAR(text.top, baseline + outline[1] - grown, 1.5);
            EXPECT_NEAR(text.bottom + 1, baseline + outline[3] + grown, 1.5);
            const Box decoration = picture.box(bluish, from, to);
            ASSERT_FALSE(decoration.empty());
            if (row.shadow == 0) {
                EXPECT_NEAR(text.left - decoration.left, border / 2, 1.5);
                EXPECT_NEAR(decoration.right - text.right, border / 2, 1.5);
                EXPECT_NEAR(text.top - decoration.top, border / 2, 1.5);
                EXPECT_NEAR(decoration.bottom - text.bottom, border / 2, 1.5);
            } else {
                EXPECT_NEAR(decoration.right - text.right, shadowOffset, 1.5);
                EXPECT_NEAR(decoration.bottom - text.bottom, shadowOffset, 1.5);
            }
        }
        // Pure colours: the text in full red; a shadow at the factor's alpha.
        const Box bar = picture.box(reddish, static_cast<int>(origins[1]), picture.width);
        const Rgba middle = picture.at((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
        MediaTest::expectNear(middle, {1, 0, 0, 1}, 4e-3f);
        if (row.shadow > 0) {
            const Rgba shade = picture.at((bar.left + bar.right) / 2, bar.bottom + static_cast<int>(shadowOffset) - 1);
            MediaTest::expectNear(shade, {0, 0, 0.5f, 0.5f}, 8e-3f);
        }
    }
}

TEST_F(TextPictureTest, VerticalTextRunsDownwardFromTheRightInVerticalForms) {
    const float size = 100;
    Options options;
    options.size = size;
    options.vertical = true;
    auto draw = make(L"一一\n一", options);
    const Picture picture = drawn(*draw);
    ASSERT_GT(picture.width, 0);
    EXPECT_FLOAT_EQ(draw->width(), 2 * size);  // two columns of one em
    EXPECT_FLOAT_EQ(draw->height(), 2 * size);

    // The first column is the right one; its two bars are one em apart.
    const int middle = static_cast<int>(draw->marginLeft() + size);
    const Box right = picture.box(reddish, middle, picture.width);
    const Box left = picture.box(reddish, 0, middle);
    ASSERT_FALSE(right.empty());
    ASSERT_FALSE(left.empty());
    EXPECT_NEAR((right.left + right.right) / 2.0, draw->marginLeft() + 1.5 * size, 2);
    EXPECT_NEAR((left.left + left.right) / 2.0, draw->marginLeft() + 0.5 * size, 2);
    std::vector<int> rows;
    for (int y = 0; y < picture.height; ++y)
        if (reddish(picture.at((right.left + right.right) / 2, y)) &&
            (rows.empty() || rows.back() != y - 1 || true))
            rows.push_back(y);
    // Two runs of rows: split at the first gap.
    int gap = -1;
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i] != rows[i - 1] + 1) gap = static_cast<int>(i);
    ASSERT_GT(gap, 0);
    EXPECT_NEAR(rows[gap] - rows[0], size, 1.5);
    // The second column starts at the top again.
    EXPECT_NEAR(left.top, right.top, 1);

    // "、" takes its vertical form: in the upper right of its square, not the
    // lower left as in horizontal lines.
    auto comma = make(L"、", options);
    const Picture mark = drawn(*comma);
    const Box box = mark.box(reddish);
    ASSERT_FALSE(box.empty());
    EXPECT_GT((box.left + box.right) / 2.0, comma->marginLeft() + size / 2);
    EXPECT_LT((box.top + box.bottom) / 2.0, comma->marginTop() + size / 2);
}

TEST_F(TextPictureTest, TypewriterShowsExactlyTheCharactersWhoseTimeHasCome) {
    struct Row {
        const wchar_t* text;
        double elapsed;
        int shown;  // bars from the left of the first line
    };
    const Row rows[] = {
        {L"一一一一一一", 0.25, 3},  // appearance times 0, 0.1, 0.2
        {L"一一一一一一", 0.0, 1},
        {L"一一一一一一", 10, 6},
        {L"一<w1>一一", 0.5, 1},
        {L"一<w1>一一", 1.15, 2},  // the wait ends at 1.1, the next at 1.2
        {L"一<w1>一一", 1.25, 3},
    };
    const float size = 40;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.elapsed);
        Options options;
        options.size = size;
        options.speed = 10;
        options.elapsed = row.elapsed;
        auto draw = make(row.text, options);
        const Picture picture = drawn(*draw);
        ASSERT_GT(picture.width, 0);
        int shown = 0;
        for (int i = 0; i < 6; ++i) {
            const int from = static_cast<int>(draw->marginLeft() + size * i);
            if (!picture.box(reddish, from + 2, from + static_cast<int>(size) - 2).empty()) shown = i + 1;
        }
        EXPECT_EQ(shown, row.shown) << row.text;
    }

    // Later lines wait for the lines before them.
    Options options;
    options.speed = 10;
    options.elapsed = 0.15;
    auto lines = make(L"一一\n一一", options);
    const Picture picture = drawn(*lines);
    EXPECT_FALSE(picture.box(reddish, 0, picture.width).empty());
    const int secondLineTop = static_cast<int>(lines->marginTop() + lines->lines()[0].height) + 2;
    Box below;
    for (int y = secondLineTop; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (reddish(picture.at(x, y))) below.add(x, y);
    EXPECT_TRUE(below.empty());
}

TEST_F(TextPictureTest, ColourTagsChangeTextAndDecorationFromTheBaseColours) {
    Media::TextDraw::setPresetColorLookup([](const std::wstring& name, float rgba[4]) {
        if (name != L"leaf") return false;
        rgba[0] = 0, rgba[1] = 1, rgba[2] = 0, rgba[3] = 1;
        return true;
    });
    using Check = bool (*)(const Rgba&);
    struct Row {
        const wchar_t* text;
        Check first;
        Check second;
    };
    const Row rows[] = {
        {L"<#00ff00>一<#>一", greenish, reddish},
        {L"<#leaf>一<#nosuchname>一", greenish, reddish},
        {L"<#00FF00>一<#zz0000>一", greenish, reddish},
    };
    const float size = 40;
    for (const Row& row : rows) {
        Options options;
        options.size = size;
        auto draw = make(row.text, options);
        const Picture picture = drawn(*draw);
        const int middle = static_cast<int>(draw->marginLeft() + size);
        const Box bar = picture.box(covered, 0, middle);
        ASSERT_FALSE(bar.empty()) << row.text;
        EXPECT_TRUE(row.first(picture.at((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2))) << row.text;
        const Box bar2 = picture.box(covered, middle, picture.width);
        ASSERT_FALSE(bar2.empty()) << row.text;
        EXPECT_TRUE(row.second(picture.at((bar2.left + bar2.right) / 2, (bar2.top + bar2.bottom) / 2))) << row.text;
    }

    // <#,00ff00>: the text keeps its base colour, the border turns green.
    Options options;
    options.size = 60;
    options.decorationRatio = 0.1f;
    auto draw = make(L"<#,00ff00>一", options);
    const Picture picture = drawn(*draw);
    EXPECT_FALSE(picture.box(reddish).empty());
    EXPECT_FALSE(picture.box(greenish).empty());
    EXPECT_TRUE(picture.box(bluish).empty());
}

TEST_F(TextPictureTest, AShortLineIsAlignedWithinTheLongest) {
    const float size = 40;
    for (float alignment : {0.0f, 0.5f, 1.0f}) {
        Options options;
        options.size = size;
        options.alignment = alignment;
        auto draw = make(L"一一一\n一", options);
        const Picture picture = drawn(*draw);
        const int top = static_cast<int>(draw->marginTop() + draw->lines()[0].height);
        Box second;
        for (int y = top; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (reddish(picture.at(x, y))) second.add(x, y);
        const Box first = picture.box(reddish, static_cast<int>(draw->marginLeft()),
                                      static_cast<int>(draw->marginLeft() + size));
        ASSERT_FALSE(second.empty());
        EXPECT_NEAR(second.left - first.left, 2 * size * alignment, 1.5) << alignment;
    }
}

TEST_F(TextPictureTest, AClearTagReplacesTheTextOnceItsTimeHasCome) {
    const float size = 40;
    struct Row {
        double elapsed;
        std::vector<int> indices;
    };
    // Characters at 0 and 0.1; the tag at 0.2 + 1 s; the next at 1.2.
    for (const Row& row : {Row{1.0, {0, 1}}, Row{1.25, {2}}}) {
        Options options;
        options.size = size;
        options.speed = 10;
        options.elapsed = row.elapsed;
        auto draw = make(L"一一<c1>\n一", options);
        draw->layoutText(nullptr);
        Media::ResourceBuffer atlas(static_cast<UINT>(draw->atlasPixelWidth()),
                                    static_cast<UINT>(draw->atlasPixelHeight()));
        draw->setSplitMode(true);
        draw->drawToBuffer(atlas);
        std::vector<int> indices;
        std::vector<float> xs;
        for (const auto& cell : draw->cells()) {
            indices.push_back(cell.index);
            xs.push_back(cell.centerX);
        }
        EXPECT_EQ(indices, row.indices) << row.elapsed;
        // After the tag the text starts again at the first line.
        if (row.indices.size() == 1) {

            EXPECT_NEAR(xs[0], size / 2, 1e-3);

        }
    }
}

TEST_F(TextPictureTest, SplitModeGivesEachCharacterItsOwnCell) {
    const FaceFacts noto("Noto Sans CJK JP");
    const float size = 40;
    Options options;
    options.size = size;
    options.decorationRatio = 0.1f;  // border 4: margins of 3 inside and outside
    options.speed = 10;
    options.elapsed = 5;
    auto draw = make(L"日本\n語", options);
    draw->layoutText(nullptr);
    const int cellWidth = static_cast<int>(std::ceil(3 + 3 + size));
    const int cellHeight = static_cast<int>(std::ceil(3 + 3 + noto.lineHeight(size)));
    EXPECT_EQ(draw->atlasPixelWidth(), 2 * cellWidth);
    EXPECT_EQ(draw->atlasPixelHeight(), 2 * cellHeight);

    Media::ResourceBuffer atlas(static_cast<UINT>(draw->atlasPixelWidth()), static_cast<UINT>(draw->atlasPixelHeight()));
    const float clear[4] = {0, 0, 0, 0};
    atlas.clear(clear);
    draw->setSplitMode(true);
    draw->cells().reserve(3);
    draw->drawToBuffer(atlas);
    ASSERT_EQ(draw->cells().size(), 3u);
    const int expected[3][2] = {{0, 0}, {cellWidth, 0}, {0, cellHeight}};
    for (int i = 0; i < 3; ++i) {
        const auto& cell = draw->cells()[static_cast<std::size_t>(i)];
        EXPECT_EQ(cell.index, i);
        EXPECT_FLOAT_EQ(cell.time, 0.1f * static_cast<float>(i));
        EXPECT_EQ(cell.x, expected[i][0]);
        EXPECT_EQ(cell.y, expected[i][1]);
        EXPECT_EQ(cell.width, cellWidth);
        EXPECT_EQ(cell.height, cellHeight);
    }

    struct Piece {
        int index;
        float time, x, y;
        Picture picture;
    };
    std::vector<Piece> pieces;
    draw->splitCharacters(atlas, [&](std::unique_ptr<Media::ResourceBuffer> buffer, std::int32_t index, float time,
                                     float x, float y, float) {
        pieces.push_back({index, time, x, y,
                          Picture{static_cast<int>(buffer->getWidth()), static_cast<int>(buffer->getHeight()),
                                  read(*buffer)}});
    });
    ASSERT_EQ(pieces.size(), 3u);
    // The cell's centre in the picture a whole-text drawing makes.
    const float lineHeight = noto.lineHeight(size);
    const float centres[3][2] = {{size / 2, cellHeight / 2.0f - 3}, {size * 1.5f, cellHeight / 2.0f - 3},
                                 {size / 2, lineHeight + cellHeight / 2.0f - 3}};
    for (int i = 0; i < 3; ++i) {
        const Piece& piece = pieces[static_cast<std::size_t>(i)];
        EXPECT_EQ(piece.index, i);
        EXPECT_NEAR(piece.x, draw->marginLeft() + centres[i][0], 1e-3);
        EXPECT_NEAR(piece.y, draw->marginTop() + centres[i][1], 1e-3);
        EXPECT_EQ(piece.picture.width, cellWidth);
        // Each cell holds its glyph, border included, inside its edges.
        const Box ink = piece.picture.box(covered);
        ASSERT_FALSE(ink.empty());
        EXPECT_GT(ink.left, 0);
        EXPECT_GT(ink.top, 0);
        EXPECT_LT(ink.right, cellWidth - 1);
        EXPECT_LT(ink.bottom, cellHeight - 1);
        EXPECT_FALSE(piece.picture.box(bluish).empty());
    }
    EXPECT_THROW(draw->splitCharacters(atlas, {}), std::bad_function_call);
}

TEST_F(TextPictureTest, SizeTagStylesAreBoldItalicUntilTheNextSizeTag) {
    const float size = 60;
    Options options;
    options.size = 40;
    options.characterSpacing = 30;
    auto draw = make(L"<s60,,BI>H<s60>H", options);
    const Picture picture = drawn(*draw);
    ASSERT_GT(picture.width, 0);
    const int split = static_cast<int>(draw->marginLeft() + draw->width() / 2);
    const auto ink = [&](int from, int to) {
        float sum = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = from; x < to; ++x) sum += picture.at(x, y)[3];
        return sum;
    };
    // Left edge of the ink in a row, from the glyph's region.
    const auto leftEdge = [&](int from, int to, int y) {
        for (int x = from; x < to; ++x)
            if (covered(picture.at(x, y))) return x;
        return -1;
    };
    const Box bold = picture.box(covered, 0, split);
    const Box plain = picture.box(covered, split, picture.width);
    ASSERT_FALSE(bold.empty());
    ASSERT_FALSE(plain.empty());
    EXPECT_GT(ink(0, split), 1.2f * ink(split, picture.width));
    EXPECT_NEAR(plain.bottom - plain.top, bold.bottom - bold.top, 2);
    const int slant = leftEdge(0, split, bold.top + 2) - leftEdge(0, split, bold.bottom - 2);
    const int upright = leftEdge(split, picture.width, plain.top + 2) - leftEdge(split, picture.width, plain.bottom - 2);
    EXPECT_GT(slant, size * 0.1f);
    EXPECT_NEAR(upright, 0, 1);
}

TEST_F(TextPictureTest, RoundedOutlinesRoundTheBordersCorners) {
    for (bool rounded : {false, true}) {
        Options options;
        options.size = 100;
        options.decorationRatio = 0.2f;  // 10 pixels of border outside the outline
        options.rounded = rounded;
        auto draw = make(L"口", options);
        const Picture picture = drawn(*draw);
        const Box border = picture.box(covered);
        ASSERT_FALSE(border.empty());
        // A mitred corner fills its square; a round one leaves it open.
        EXPECT_EQ(covered(picture.at(border.left + 1, border.top + 1)), !rounded) << rounded;
    }
}

TEST_F(TextPictureTest, NothingIsDrawnForATextWithoutCharacters) {
    auto draw = make(L"<s20>\n<#ff0000>\n", {});
    draw->layoutText(nullptr);
    EXPECT_EQ(draw->characterCount(), 0);
    Media::ResourceBuffer buffer(8, 8);
    const float grey[4] = {0.5f, 0.5f, 0.5f, 1};
    buffer.clear(grey);
    draw->drawToBuffer(buffer);
    MediaTest::expectNear(pixel(buffer, 3, 3), {0.5f, 0.5f, 0.5f, 1});
}

TEST_F(TextPictureTest, StrikeThroughRunsAcrossTheStruckCharactersAsOneLine) {
    const FaceFacts noto("Noto Sans CJK JP");
    const float size = 100;
    Options options;
    options.size = size;
    // "口" is a frame: the strike line is the only ink across its middle.
    auto draw = make(L"<s100,,S>口口<s100>口", options);
    const Picture picture = drawn(*draw);
    ASSERT_GT(picture.width, 0);
    const int y = static_cast<int>(draw->marginTop() + noto.ascent(size) - 0.325f * size + 0.025f * size);
    int from = -1, to = -1;
    for (int x = 0; x < picture.width; ++x)
        if (reddish(picture.at(x, y))) {
            if (from < 0) from = x;
            to = x;
        }
    const float left = draw->marginLeft();
    EXPECT_NEAR(from, left, 2);
    // The third character has no line: the line ends at the second one's
    // advance, and its ink is only the frame's two sides.
    int inside = 0;
    for (int x = static_cast<int>(left + 2 * size + 30); x < static_cast<int>(left + 3 * size - 30); ++x)
        inside += reddish(picture.at(x, y));
    EXPECT_EQ(inside, 0);
    EXPECT_GT(to, left + size * 1.7);
    int across = 0;
    for (int x = static_cast<int>(left + size - 20); x < static_cast<int>(left + size + 20); ++x)
        across += reddish(picture.at(x, y));
    EXPECT_EQ(across, 40);  // no break between the two struck characters
}

}  // namespace
