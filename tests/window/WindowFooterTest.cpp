#include "window/WindowFooter.h"

#include "window/ShellStyle.h"

#include <cairo.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

// Paints a footer without a window into an image and reads pixels back.
class FooterPicture {
public:
    FooterPicture(const Window::WindowFooter& footer, int width, int height) {
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        cairo_t* cr = cairo_create(surface_);
        footer.paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface_);
    }
    ~FooterPicture() { cairo_surface_destroy(surface_); }
    std::uint32_t pixel(int x, int y) const {
        const auto* row = cairo_image_surface_get_data(surface_) +
                          y * cairo_image_surface_get_stride(surface_);
        return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
    }

private:
    cairo_surface_t* surface_;
};

TEST(WindowFooterTest, ProgressFillsItsFractionOfTheWidth) {
    using Window::ShellStyle::FooterProgress;
    Window::WindowFooter footer(nullptr);
    footer.setRect({0, 0, 1000, 24});
    footer.setProgress(L"Initializing...", nullptr, 0.5f);
    const FooterPicture picture(footer, 1000, 24);
    EXPECT_EQ(picture.pixel(0, 1), FooterProgress[0]);
    EXPECT_EQ(picture.pixel(499, 1), FooterProgress[0]);
    EXPECT_EQ(picture.pixel(500, 1), FooterProgress[1]);
    EXPECT_EQ(picture.pixel(999, 23), FooterProgress[1]);
}

TEST(WindowFooterTest, WithoutProgressTheBarHasTheFooterColour) {
    Window::WindowFooter footer(nullptr);
    footer.setRect({0, 0, 300, 24});
    footer.setText(L"left", L"right");
    const FooterPicture picture(footer, 300, 24);
    EXPECT_EQ(picture.pixel(0, 0), Window::ShellStyle::Footer);
    EXPECT_EQ(picture.pixel(299, 23), Window::ShellStyle::Footer);
}

TEST(WindowFooterTest, ProgressTextAndFractionFollowTheCalls) {
    Window::WindowFooter footer(nullptr);
    footer.setProgress(L"Saving", L"a.mvp2", 0.25f);
    EXPECT_EQ(footer.progressText(), L"Saving a.mvp2");
    footer.setProgress(L"Saving", L"a.mvp2", 0.75f);
    EXPECT_EQ(footer.progress(), 0.75f);
    footer.setProgress(L"Saving", L"a.mvp2", NAN);
    EXPECT_TRUE(std::isnan(footer.progress()));
    footer.setProgress(L"", nullptr, 0.0f);
    EXPECT_TRUE(footer.progressText().empty());
    footer.setText(L"left", nullptr);
    footer.setText(nullptr, L"right");
    EXPECT_EQ(footer.leftText(), L"left");
    EXPECT_EQ(footer.rightText(), L"right");
}

TEST(WindowFooterTest, ALongLeftTextIsClippedAMarginBeforeTheRightText) {
    Window::WindowFooter footer(nullptr);
    footer.setRect({0, 0, 200, 24});
    footer.setText(std::wstring(100, L'W').c_str(), L"");
    const FooterPicture picture(footer, 200, 24);
    // Right text empty: it starts at 200 - margin, the left text stops a
    // margin before (margin = 24 / 3).
    const int limit = 200 - 2 * (24 / 3);
    bool textBeforeLimit = false;
    bool clearAfterLimit = true;
    for (int y = 0; y < 24; ++y) {
        for (int x = limit - 16; x < limit; ++x)
            textBeforeLimit |= picture.pixel(x, y) != Window::ShellStyle::Footer;
        for (int x = limit; x < 200; ++x)
            clearAfterLimit &= picture.pixel(x, y) == Window::ShellStyle::Footer;
    }
    EXPECT_TRUE(textBeforeLimit);
    EXPECT_TRUE(clearAfterLimit);
}

}  // namespace
