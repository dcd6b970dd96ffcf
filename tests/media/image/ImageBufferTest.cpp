#include "media/image/ImageBuffer.h"

#include "media/LogCapture.h"
#include "media/MediaFixtures.h"
#include "core/CoreTestSupport.h"
#include "core/base/Exception.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/image/ImageEncoder.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Media::ImageBuffer;

using CoreTest::failureText;

std::vector<std::uint8_t> pixelRow(const ImageBuffer& image, std::uint32_t row, std::uint32_t bytesPerPixel) {
    const std::uint8_t* start = image.pixels.data + std::size_t{row} * image.pitch;
    return {start, start + std::size_t{image.width} * bytesPerPixel};
}

TEST(ImageBufferTest, DefaultPitchIsTheByteWidthRoundedUpTo32) {
    struct Case {
        std::uint32_t format, width, pitch;
    } cases[] = {
        {DXGI_FORMAT_B8G8R8X8_UNORM, 640, 2560},   {DXGI_FORMAT_YUY2, 100, 224},
        {DXGI_FORMAT_YUY2, 3, 32},                 {DXGI_FORMAT_R16G16B16A16_FLOAT, 3, 32},
        {DXGI_FORMAT_R16G16B16A16_UNORM, 5, 64},   {DXGI_FORMAT_R16G16B16A16_SNORM, 4, 32},
        {DXGI_FORMAT_R8G8B8A8_UNORM, 9, 64},       {DXGI_FORMAT_B8G8R8A8_UNORM, 8, 32},
        {DXGI_FORMAT_B8G8R8A8_UNORM, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImageBuffer::getDefaultPitchSize(c.format, c.width), c.pitch) << c.format << " " << c.width;
}

TEST(ImageBufferTest, ResizeSizesTheStoreExactlyWithA32ByteBlock) {
    ImageBuffer image;
    image.format = DXGI_FORMAT_B8G8R8X8_UNORM;
    image.resize(640, 480, 0);
    EXPECT_EQ(image.pitch, 2560u);
    EXPECT_EQ(image.pixels.size, 1228800u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(image.pixels.data) % 32, 0u);

    image.resize(3, 3, 13);  // an explicit pitch is taken as given
    EXPECT_EQ(image.pitch, 13u);
    EXPECT_EQ(image.pixels.size, 39u);
    EXPECT_GE(image.pixels.capacity, 64u);

    const auto made = ImageBuffer::create(DXGI_FORMAT_YUY2, 100, 2);
    EXPECT_EQ(made->format, static_cast<std::uint32_t>(DXGI_FORMAT_YUY2));
    EXPECT_EQ(made->width, 100u);
    EXPECT_EQ(made->height, 2u);
    EXPECT_EQ(made->pitch, 224u);
    EXPECT_EQ(made->pixels.size, 448u);
}

TEST(ImageBufferTest, UnknownFormatsAreRefusedWithTheirCode) {
    const std::string pitch = failureText([] { ImageBuffer::getDefaultPitchSize(DXGI_FORMAT_A8_UNORM, 4); });
    EXPECT_EQ(pitch, "image format not supported.\n\n[Note]\ndxgi format = 65\n\n[Place]\n"
                     "Media::ImageBuffer::getDefaultPitchSize()");
    const std::string created = failureText([] { ImageBuffer::create(2, 4, 4); });
    EXPECT_NE(created.find("dxgi format = 2"), std::string::npos);

    BITMAPINFOHEADER header{};
    const std::string info =
        failureText([&] { ImageBuffer::getBitmapInfoHeader(header, DXGI_FORMAT_R8G8B8A8_UNORM, 4, 4); });
    EXPECT_EQ(info, "image format not supported.\n\n[Note]\ndxgi format = 28\n\n[Place]\n"
                    "Media::ImageBuffer::getBitmapInfoHeader()");
}

TEST(ImageBufferTest, BitmapInfoHeaderOfEachFormat) {
    struct Case {
        std::uint32_t format;
        WORD bits;
        DWORD compression;
        DWORD sizeImage;  // width 3, height 2
    } cases[] = {
        {DXGI_FORMAT_R16G16B16A16_FLOAT, 64, mmioFOURCC('H', 'F', '6', '4'), 48},
        {DXGI_FORMAT_R16G16B16A16_UNORM, 64, mmioFOURCC('P', 'A', '6', '4'), 48},
        {DXGI_FORMAT_R16G16B16A16_SNORM, 48, mmioFOURCC('Y', 'C', '4', '8'), 40},  // 18-byte rows padded to 20
        {DXGI_FORMAT_B8G8R8A8_UNORM, 32, BI_RGB, 24},
        {DXGI_FORMAT_B8G8R8X8_UNORM, 24, BI_RGB, 24},  // 9-byte rows padded to 12
        {DXGI_FORMAT_YUY2, 16, mmioFOURCC('Y', 'U', 'Y', '2'), 16},
    };
    for (const Case& c : cases) {
        BITMAPINFOHEADER header{};
        header.biXPelsPerMeter = 1234;
        header.biClrUsed = 7;
        ImageBuffer::getBitmapInfoHeader(header, c.format, 3, 2);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, 3);
        EXPECT_EQ(header.biHeight, 2);
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, c.bits) << c.format;
        EXPECT_EQ(header.biCompression, c.compression) << c.format;
        EXPECT_EQ(header.biSizeImage, c.sizeImage) << c.format;
        EXPECT_EQ(header.biXPelsPerMeter, 1234);  // left as the caller set it
        EXPECT_EQ(header.biClrUsed, 7u);
    }
}

// A bitmap of the format's form whose pixel bytes count up from 1 and whose
// row padding is 0xEE.
std::vector<std::uint8_t> countingBitmap(const BITMAPINFOHEADER& header) {
    const std::uint32_t row = ImageBuffer::getBitmapRowSize(header.biBitCount, header.biWidth);
    const std::uint32_t used = static_cast<std::uint32_t>(header.biWidth) * header.biBitCount / 8;
    std::vector<std::uint8_t> bits(header.biSizeImage, 0xEE);
    std::uint8_t value = 1;
    for (std::uint32_t y = 0; y < static_cast<std::uint32_t>(std::abs(header.biHeight)); ++y)
        for (std::uint32_t x = 0; x < used; ++x) bits[y * row + x] = value++;
    return bits;
}

TEST(ImageBufferTest, ConvertFromBitmapRows) {
    struct Case {
        const char* name;
        std::uint32_t format, width, height;
        std::vector<std::vector<std::uint8_t>> rows;  // expected pixel bytes, top row first
    } cases[] = {
        // Bottom-up: the last bitmap row is the top row; each pixel gains a 0.
        {"24-bit", DXGI_FORMAT_B8G8R8X8_UNORM, 3, 2,
         {{10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0}, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}}},
        {"32-bit", DXGI_FORMAT_B8G8R8A8_UNORM, 2, 2, {{9, 10, 11, 12, 13, 14, 15, 16}, {1, 2, 3, 4, 5, 6, 7, 8}}},
        // Top-down: three words per pixel gain a zero word.
        {"48-bit", DXGI_FORMAT_R16G16B16A16_SNORM, 1, 2, {{1, 2, 3, 4, 5, 6, 0, 0}, {7, 8, 9, 10, 11, 12, 0, 0}}},
        {"64-bit float", DXGI_FORMAT_R16G16B16A16_FLOAT, 1, 2, {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14, 15, 16}}},
        {"64-bit unorm", DXGI_FORMAT_R16G16B16A16_UNORM, 1, 1, {{1, 2, 3, 4, 5, 6, 7, 8}}},
        {"16-bit", DXGI_FORMAT_YUY2, 3, 2, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
    };
    for (const Case& c : cases) {
        BITMAPINFOHEADER header{};
        ImageBuffer::getBitmapInfoHeader(header, c.format, c.width, c.height);
        const std::vector<std::uint8_t> bits = countingBitmap(header);
        const auto image = ImageBuffer::create(c.format, c.width, c.height);
        image->convertFrom(header, bits.data());
        const auto bytesPerPixel = static_cast<std::uint32_t>(c.rows[0].size() / c.width);
        for (std::uint32_t y = 0; y < c.height; ++y)
            EXPECT_EQ(pixelRow(*image, y, bytesPerPixel), c.rows[y]) << c.name << " row " << y;

        // And back: the same bitmap with its padding zeroed.
        std::vector<std::uint8_t> back(header.biSizeImage, 0x55);
        image->convertTo(header, back.data());
        std::vector<std::uint8_t> expected = bits;
        for (std::uint8_t& b : expected)
            if (b == 0xEE) b = 0;
        EXPECT_EQ(back, expected) << c.name;
    }
}

TEST(ImageBufferTest, NegativeHeightRowsRunTopDown) {
    BITMAPINFOHEADER header{};
    ImageBuffer::getBitmapInfoHeader(header, DXGI_FORMAT_B8G8R8A8_UNORM, 1, 2);
    header.biHeight = -2;
    const std::uint8_t bits[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto image = ImageBuffer::create(DXGI_FORMAT_B8G8R8A8_UNORM, 1, 2);
    image->convertFrom(header, bits);
    EXPECT_EQ(pixelRow(*image, 0, 4), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(pixelRow(*image, 1, 4), (std::vector<std::uint8_t>{5, 6, 7, 8}));
}

TEST(ImageBufferTest, UnknownPairingLogsAndLeavesTheImageZero) {
    MediaTest::LogCapture log;
    BITMAPINFOHEADER header{};
    ImageBuffer::getBitmapInfoHeader(header, DXGI_FORMAT_B8G8R8A8_UNORM, 4, 2);
    const std::vector<std::uint8_t> bits(header.biSizeImage, 0x77);

    const auto image = ImageBuffer::create(DXGI_FORMAT_B8G8R8X8_UNORM, 4, 2);
    std::memset(image->pixels.data, 0x99, image->pixels.size);
    image->convertFrom(header, bits.data());
    EXPECT_EQ(log.count(System::Log::WARN, "Media::ImageBuffer::convertFrom",
                        "can not convert DIB image data. bit=32 fcc=0000"),
              1);
    EXPECT_EQ(std::vector<std::uint8_t>(image->pixels.data, image->pixels.data + image->pixels.size),
              std::vector<std::uint8_t>(image->pixels.size, 0));

    // A header of another size would read past the rows it describes.
    ImageBuffer::getBitmapInfoHeader(header, DXGI_FORMAT_YUY2, 2, 2);
    const auto wider = ImageBuffer::create(DXGI_FORMAT_YUY2, 4, 2);
    wider->convertFrom(header, bits.data());
    EXPECT_EQ(log.count(System::Log::WARN, "Media::ImageBuffer::convertFrom",
                        "can not convert DIB image data. bit=16 fcc=32595559"),
              1);
}

TEST(ImageBufferTest, EmptyPicturesConvertToNothing) {
    // An empty bitmap has no bytes (its store may be null): nothing is read,
    // written or warned about, for every pairing and either side empty.
    MediaTest::LogCapture log;
    for (const std::uint32_t format : {DXGI_FORMAT_B8G8R8X8_UNORM, DXGI_FORMAT_B8G8R8A8_UNORM,
                                       DXGI_FORMAT_R16G16B16A16_SNORM, DXGI_FORMAT_R16G16B16A16_FLOAT,
                                       DXGI_FORMAT_YUY2}) {
        for (const auto& [width, height] : {std::pair{0u, 3u}, std::pair{3u, 0u}, std::pair{0u, 0u}}) {
            SCOPED_TRACE(testing::Message() << format << " " << width << "x" << height);
            BITMAPINFOHEADER header{};
            ImageBuffer::getBitmapInfoHeader(header, format, width, height);
            const auto image = ImageBuffer::create(format, width, height);
            image->convertFrom(header, nullptr);
            image->convertTo(header, nullptr);
            std::uint8_t none[1] = {0x5A};
            image->convertFrom(header, none);
            image->convertTo(header, none);
            EXPECT_EQ(none[0], 0x5A);
        }
    }
    EXPECT_TRUE(log.of(System::Log::WARN).empty());
}

TEST(ImageBufferTest, ConvertToAnotherFormatWritesNothing) {
    const auto image = ImageBuffer::create(DXGI_FORMAT_B8G8R8A8_UNORM, 2, 2);
    BITMAPINFOHEADER header{};
    ImageBuffer::getBitmapInfoHeader(header, DXGI_FORMAT_B8G8R8X8_UNORM, 2, 2);
    std::vector<std::uint8_t> bits(header.biSizeImage, 0xAB);
    image->convertTo(header, bits.data());
    EXPECT_EQ(bits, std::vector<std::uint8_t>(header.biSizeImage, 0xAB));
}

TEST(ImageBufferTest, PackYUY2KeepsTheEvenPixelsChroma) {
    // (Y, Cb, Cr, A) pixels; the odd width ends on a pair made of the last
    // pixel twice, and the source holds exactly three pixels per row.
    const std::vector<std::uint8_t> source = {
        10, 20, 30, 0, 11, 21, 31, 0, 12, 22, 32, 0,  //
        40, 50, 60, 0, 41, 51, 61, 0, 42, 52, 62, 0,
    };
    const auto odd = ImageBuffer::create(DXGI_FORMAT_YUY2, 3, 2);
    odd->packYUY2(source.data(), 3, 2, 12);
    EXPECT_EQ(std::vector<std::uint8_t>(odd->pixels.data, odd->pixels.data + 8),
              (std::vector<std::uint8_t>{10, 20, 11, 30, 12, 22, 12, 32}));
    EXPECT_EQ(std::vector<std::uint8_t>(odd->pixels.data + odd->pitch, odd->pixels.data + odd->pitch + 8),
              (std::vector<std::uint8_t>{40, 50, 41, 60, 42, 52, 42, 62}));

    const std::vector<std::uint8_t> even = {1, 2, 3, 0, 4, 5, 6, 0};
    const auto pair = ImageBuffer::create(DXGI_FORMAT_YUY2, 2, 1);
    pair->packYUY2(even.data(), 2, 1, 8);
    EXPECT_EQ(pixelRow(*pair, 0, 2), (std::vector<std::uint8_t>{1, 2, 4, 3}));
}

TEST(ImageBufferTest, RenderTargetBitmapReadsAlphaAsAsked) {
    cairo_surface_t* targetSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* target = cairo_create(targetSurface);
    const auto image = ImageBuffer::create(DXGI_FORMAT_R8G8B8A8_UNORM, 2, 1);
    const std::uint8_t rgba[] = {100, 50, 0, 128, 1, 2, 3, 255};
    std::memcpy(image->pixels.data, rgba, sizeof rgba);

    struct Case {
        D2D1_ALPHA_MODE mode;
        std::uint32_t first, second;  // 0xAARRGGBB
    } cases[] = {
        {D2D1_ALPHA_MODE_PREMULTIPLIED, 0x80643200, 0xFF010203},
        {D2D1_ALPHA_MODE_STRAIGHT, 0x80321900, 0xFF010203},
        {D2D1_ALPHA_MODE_IGNORE, 0xFF643200, 0xFF010203},
    };
    for (const Case& c : cases) {
        cairo_surface_t* bitmap = image->createRenderTargetBitmap(target, c.mode);
        ASSERT_EQ(cairo_image_surface_get_width(bitmap), 2);
        ASSERT_EQ(cairo_image_surface_get_height(bitmap), 1);
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(bitmap));
        EXPECT_EQ(pixels[0], c.first) << c.mode;
        EXPECT_EQ(pixels[1], c.second) << c.mode;
        cairo_surface_destroy(bitmap);
    }

    const auto other = ImageBuffer::create(DXGI_FORMAT_B8G8R8X8_UNORM, 2, 1);
    const std::string text =
        failureText([&] { cairo_surface_destroy(other->createRenderTargetBitmap(target, D2D1_ALPHA_MODE_IGNORE)); });
    EXPECT_EQ(text.rfind("target->CreateBitmap() failed.", 0), 0u) << text;
    EXPECT_NE(text.find("Media::ImageBuffer::createRenderTargetBitmap()"), std::string::npos);
    cairo_destroy(target);
    cairo_surface_destroy(targetSurface);
}

TEST(ImageBufferTest, SaveJpegFileEncodesAtTheGivenQuality) {
    MediaTest::TempFolder folder;
    const auto image = ImageBuffer::create(DXGI_FORMAT_B8G8R8X8_UNORM, 16, 8);
    for (std::uint32_t i = 0; i < image->pixels.size; ++i) image->pixels.data[i] = static_cast<std::uint8_t>(i * 7);
    const std::string path = folder.file("q85.jpg");
    image->saveJpegFile(std::wstring(path.begin(), path.end()), 85);

    std::vector<std::uint8_t> expected;
    std::string error;
    ASSERT_TRUE(Platform::Image::encodeJpeg(image->pixels.data, 16, 8, image->pitch,
                                            Platform::Image::SourceLayout::BGRX, 85, expected, error));
    EXPECT_EQ(MediaTest::readFile(path), expected);

    const auto yuy2 = ImageBuffer::create(DXGI_FORMAT_YUY2, 16, 8);
    const std::string text = failureText([&] { yuy2->saveJpegFile(L"/tmp/never.jpg", 85); });
    EXPECT_NE(text.find("dxgi format = 107"), std::string::npos) << text;
}

}  // namespace
