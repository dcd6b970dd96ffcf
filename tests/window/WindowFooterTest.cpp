#include "media/DrawingFixture.h"

#include "media/draw/RenderTargetWindow.h"
#include "window/WindowFooter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

using DrawingTest::pixel;

constexpr std::uint32_t kFooter = 0xFF2D2D30;    // style.conf Footer
constexpr std::uint32_t kProgress = 0xFF007ACC;  // FooterProgress, first colour
constexpr std::uint32_t kBehind = 0xFF2D2D30;    // FooterProgress, second colour

// A footer on a window target that is an image, shown nowhere.
class WindowFooterTest : public DrawingTest::DrawingServices {
protected:
    WindowFooterTest() : DrawingServices(true) {}

    void place(int width, int height) {
        window.createRenderTarget(width, height);
        footer = std::make_unique<Window::WindowFooter>(window);
        footer->setRect({0, 0, width, height});
    }
    std::uint32_t at(int x, int y) const { return pixel(window.backBuffer(), x, y); }

    Media::RenderTargetWindow window;
    std::unique_ptr<Window::WindowFooter> footer;
};

TEST_F(WindowFooterTest, ProgressFillsItsFractionOfTheWidth) {
    useStyle("[Color]\nFooterProgress=007acc,2d2d30\n");
    place(1000, 24);
    footer->setProgress(L"Initializing...", nullptr, 0.5f);
    EXPECT_EQ(at(0, 1), kProgress);
    EXPECT_EQ(at(499, 1), kProgress);
    EXPECT_EQ(at(500, 1), kBehind);
    EXPECT_EQ(at(999, 23), kBehind);
}

TEST_F(WindowFooterTest, OneProgressColourServesBarAndBackground) {
    useStyle("[Color]\nFooterProgress=ff0000\n");
    place(100, 24);
    footer->setProgress(L"Saving", nullptr, 0.25f);
    EXPECT_EQ(at(10, 1), 0xFFFF0000u);
    EXPECT_EQ(at(90, 1), 0xFFFF0000u);
}

TEST_F(WindowFooterTest, WithoutProgressTheBarHasTheFooterColour) {
    useStyle("[Color]\nFooter=123456\n");
    place(300, 24);
    footer->setText(L"left", L"right");
    EXPECT_EQ(at(0, 0), 0xFF123456u);
    EXPECT_EQ(at(299, 23), 0xFF123456u);
}

TEST_F(WindowFooterTest, TextsAreDrawnInTheTextColour) {
    useStyle("[Color]\nText=ff0000\nFooter=000000\n");
    place(300, 24);
    footer->setText(L"左の文字", L"右");
    int left = 0;
    int right = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 300; ++x) {
            const std::uint32_t p = at(x, y);
            if (p == 0xFF000000u) continue;
            EXPECT_EQ(p & 0xFFFF, 0u) << x << "," << y;  // red only
            (x < 150 ? left : right) += 1;
        }
    }
    EXPECT_GT(left, 40);
    EXPECT_GT(right, 10);
}

TEST_F(WindowFooterTest, ProgressTextAndFractionFollowTheCalls) {
    place(200, 24);
    footer->setProgress(L"Saving", L"a.mvp2", 0.25f);
    EXPECT_EQ(footer->progressText(), L"Saving a.mvp2");
    footer->setProgress(L"Saving", L"a.mvp2", 0.75f);
    EXPECT_EQ(footer->progress(), 0.75f);
    footer->setProgress(L"Saving", L"a.mvp2", NAN);
    EXPECT_TRUE(std::isnan(footer->progress()));
    footer->setProgress(L"", nullptr, 0.0f);
    EXPECT_TRUE(footer->progressText().empty());
    footer->setText(L"left", nullptr);
    footer->setText(nullptr, L"right");
    EXPECT_EQ(footer->leftText(), L"left");
    EXPECT_EQ(footer->rightText(), L"right");
}

TEST_F(WindowFooterTest, ALongLeftTextIsClippedAMarginBeforeTheRightText) {
    place(200, 24);
    footer->setText(std::wstring(100, L'W').c_str(), L"");
    // Right text empty: it starts at 200 - margin, the left text stops a
    // margin before (margin = 24 / 3).
    const int limit = 200 - 2 * (24 / 3);
    bool textBeforeLimit = false;
    bool clearAfterLimit = true;
    for (int y = 0; y < 24; ++y) {
        for (int x = limit - 16; x < limit; ++x) textBeforeLimit |= at(x, y) != kFooter;
        for (int x = limit; x < 200; ++x) clearAfterLimit &= at(x, y) == kFooter;
    }
    EXPECT_TRUE(textBeforeLimit);
    EXPECT_TRUE(clearAfterLimit);
}

TEST_F(WindowFooterTest, AFailingStyleLeavesTheBarAsItWas) {
    useStyle("[Color]\nFooter=\n");
    place(100, 24);
    EXPECT_NO_THROW(footer->setText(L"text", L""));
    EXPECT_EQ(at(50, 10), 0xFF000000u);  // nothing drawn
    EXPECT_EQ(window.nesting, 0);
}

TEST(WindowFooterWithoutDrawingTest, AFooterOfAWindowWithoutTargetKeepsItsTexts) {
    Media::RenderTargetWindow window;
    Window::WindowFooter footer(window);
    footer.setText(L"left", L"right");
    footer.setProgress(L"Loading", nullptr, 0.5f);
    EXPECT_EQ(footer.leftText(), L"left");
    EXPECT_EQ(footer.progressText(), L"Loading");
}

}  // namespace
