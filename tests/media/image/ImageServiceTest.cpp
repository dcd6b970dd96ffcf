#include "media/image/ImageService.h"

#include "media/MediaFixtures.h"
#include "core/CoreTestSupport.h"
#include "core/base/Exception.h"
#include "core/text/StringConvert.h"
#include "media/image/ImageBuffer.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/image/ImageDecoder.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Media::ImageBuffer;
using Media::ImageService;
using Bytes = std::vector<std::uint8_t>;
using CoreTest::failureText;

std::wstring wide(const std::string& path) { return System::String::toWide(path); }

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The pixel rows of an image, width × 4 bytes each, without the pitch's
// padding.
Bytes packedPixels(const ImageBuffer& image) {
    Bytes out;
    for (std::uint32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data + std::size_t{y} * image.pitch;
        out.insert(out.end(), row, row + std::size_t{image.width} * 4);
    }
    return out;
}

// 4 × 2 straight RGBA with partial alpha, and one with only opaque and
// fully transparent pixels (what palette formats keep).
const Bytes kRgba = {
    255, 0,   0,  255, 0,   255, 0,  255, 0, 0, 255, 255, 255, 255, 255, 255,  //
    10,  20,  30, 255, 200, 100, 50, 128, 1, 2, 3,   64,  0,   0,   0,   0,
};
const Bytes kBinaryAlpha = {
    255, 0,   0,  255, 0,   255, 0,  255, 0, 0, 255, 255, 255, 255, 255, 255,  //
    10,  20,  30, 255, 200, 100, 50, 255, 1, 2, 3,   255, 0,   0,   0,   0,
};

Bytes opaque(Bytes rgba) {
    for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    return rgba;
}

class ImageServiceTest : public ::testing::Test {
protected:
    // A file made by the ffmpeg command line from raw pixels.
    std::string ffmpegImage(const Bytes& raw, const char* rawFormat, const char* size, const std::string& name,
                            const std::string& outputArguments) {
        const std::string input = folder.file(name + ".raw");
        writeFile(input, raw);
        const std::string output = folder.file(name);
        EXPECT_TRUE(MediaTest::ffmpeg(std::string("-f rawvideo -pix_fmt ") + rawFormat + " -s " + size + " -i " +
                                      input + " " + outputArguments + " " + output));
        return output;
    }

    // A file made by ImageMagick from 8-bit RGBA pixels; prefix picks the
    // writer ("PNG8:" for a palette PNG).
    std::string convertImage(const Bytes& rgba, const char* size, const std::string& prefix,
                             const std::string& name) {
        const std::string input = folder.file("magick.rgba");
        writeFile(input, rgba);
        const std::string output = folder.file(name);
        const std::string command =
            std::string("convert -size ") + size + " -depth 8 rgba:" + input + " " + prefix + output;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return output;
    }

    MediaTest::TempFolder folder;
};

TEST_F(ImageServiceTest, DecodesEachFormatToStraightRgba) {
    Bytes deep;  // each 8-bit value v as the 16-bit value v × 257
    for (std::uint8_t v : kRgba) deep.insert(deep.end(), {v, v});

    struct Case {
        std::string file;
        Bytes expected;
    } cases[] = {
        {ffmpegImage(kRgba, "rgba", "4x2", "rgba.png", "-pix_fmt rgba"), kRgba},
        {ffmpegImage(deep, "rgba64be", "4x2", "deep.png", "-pix_fmt rgba64be"), kRgba},
        {ffmpegImage(kRgba, "rgba", "4x2", "bgr24.bmp", "-pix_fmt bgr24"), opaque(kRgba)},
        {ffmpegImage(kRgba, "rgba", "4x2", "bgra.bmp", "-pix_fmt bgra"), kRgba},
        {ffmpegImage(kRgba, "rgba", "4x2", "bgra.tga", "-pix_fmt bgra"), kRgba},
        {ffmpegImage(kRgba, "rgba", "4x2", "bgr24.tga", "-pix_fmt bgr24"), opaque(kRgba)},
        {ffmpegImage(kRgba, "rgba", "4x2", "rgba.tif", "-pix_fmt rgba"), kRgba},
        {ffmpegImage(kRgba, "rgba", "4x2", "lossless.webp", "-c:v libwebp -lossless 1 -pix_fmt bgra"), kRgba},
    };
    for (const Case& c : cases) {
        int format = 0;
        std::uint32_t width = 0, height = 0;
        ASSERT_TRUE(ImageService::canLoadFile(wide(c.file), format, width, height)) << c.file;
        EXPECT_EQ(format, DXGI_FORMAT_R8G8B8A8_UNORM);
        EXPECT_EQ(width, 4u);
        EXPECT_EQ(height, 2u);
        const auto image = ImageService::loadFromFile(wide(c.file));
        EXPECT_EQ(image->format, static_cast<std::uint32_t>(DXGI_FORMAT_R8G8B8A8_UNORM));
        EXPECT_EQ(packedPixels(*image), c.expected) << c.file;
    }
}

TEST_F(ImageServiceTest, ThreadsDecodeAtOnce) {
    const std::string png = ffmpegImage(kRgba, "rgba", "4x2", "shared.png", "-pix_fmt rgba");
    const std::string tga = ffmpegImage(kRgba, "rgba", "4x2", "shared.tga", "-pix_fmt bgra");
    std::vector<std::thread> threads;
    std::atomic<int> matches{0};
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i)
                if (packedPixels(*ImageService::loadFromFile(wide(t % 2 ? png : tga))) == kRgba) ++matches;
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(matches.load(), 80);
}

TEST_F(ImageServiceTest, PalettePicturesKeepTheirTransparency) {
    const std::string png = convertImage(kBinaryAlpha, "4x2", "PNG8:", "palette.png");
    const Bytes file = MediaTest::readFile(png);
    ASSERT_GT(file.size(), 25u);
    ASSERT_EQ(file[25], 3) << "not a palette PNG";
    const std::string gif = convertImage(kBinaryAlpha, "4x2", "", "palette.gif");

    for (const std::string& path : {png, gif}) {
        const Bytes pixels = packedPixels(*ImageService::loadFromFile(wide(path)));
        ASSERT_EQ(pixels.size(), kBinaryAlpha.size()) << path;
        for (std::size_t p = 0; p < 8; ++p) {
            const std::size_t i = p * 4;
            EXPECT_EQ(pixels[i + 3], kBinaryAlpha[i + 3]) << path << " pixel " << p;
            if (kBinaryAlpha[i + 3] == 0) continue;  // a transparent pixel's colour is the palette's
            EXPECT_EQ(Bytes(pixels.begin() + i, pixels.begin() + i + 3),
                      Bytes(kBinaryAlpha.begin() + i, kBinaryAlpha.begin() + i + 3))
                << path << " pixel " << p;
        }
    }
}

TEST_F(ImageServiceTest, DecodesJpegCloseToItsSource) {
    // Two flat 16 × 16 blocks survive JPEG almost unchanged.
    Bytes rgba;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) rgba.insert(rgba.end(), {std::uint8_t(x < 16 ? 200 : 30), 90, std::uint8_t(x < 16 ? 40 : 220), 255});
    const std::string jpeg = ffmpegImage(rgba, "rgba", "32x16", "flat.jpg", "-q:v 1");
    const auto image = ImageService::loadFromFile(wide(jpeg));
    ASSERT_EQ(image->width, 32u);
    ASSERT_EQ(image->height, 16u);
    const Bytes pixels = packedPixels(*image);
    for (std::size_t i = 0; i < pixels.size(); ++i) EXPECT_NEAR(pixels[i], rgba[i], 4) << "byte " << i;
}

TEST_F(ImageServiceTest, FilesNoCodecReadsThrow) {
    const std::string text = folder.file("notes.png");
    writeFile(text, Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    int format = 0;
    std::uint32_t width = 0, height = 0;
    const std::string unknown = failureText([&] { ImageService::canLoadFile(wide(text), format, width, height); });
    EXPECT_TRUE(startsWith(unknown, "factory->CreateDecoderFromFilename() failed.")) << unknown;
    EXPECT_NE(unknown.find("Media::ImageService::canLoadFile()"), std::string::npos);

    const std::string missing = failureText([&] { ImageService::loadFromFile(wide(folder.file("none.png"))); });
    EXPECT_TRUE(startsWith(missing, "factory->CreateDecoderFromFilename() failed.\n\n[Note]\nHRESULT: 0x80070002"))
        << missing;

    // A video is no image, even though FFmpeg could decode a frame of it.
    const std::string video = folder.file("clip.avi");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i testsrc=size=32x16:rate=5:duration=1 -c:v mjpeg " + video));
    EXPECT_TRUE(startsWith(failureText([&] { ImageService::loadFromFile(wide(video)); }),
                           "factory->CreateDecoderFromFilename() failed."));
}

// Exits 0 when the file is refused as no image, 1 otherwise; a hang ends
// by the alarm's signal.
[[noreturn]] void exitRefused(const std::string& path) {
    alarm(20);
    int format = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const std::string text = failureText([&] { ImageService::canLoadFile(wide(path), format, width, height); });
    std::_Exit(startsWith(text, "factory->CreateDecoderFromFilename() failed.") ? 0 : 1);
}

TEST_F(ImageServiceTest, OnlyListedFormatsReachADecoder) {
    // A format is told by its signature; files of other formats, or that
    // only look like one by their extension, never reach a decoder. A
    // one-byte ".jxl" used to hang its decoder for ever: the check runs in a
    // child process that a hang would leave to its alarm.
    const std::string pgm = ffmpegImage(kRgba, "rgba", "4x2", "gray.pgm", "-pix_fmt gray");
    const std::string qoi = folder.file("picture.png");
    std::filesystem::copy_file(ffmpegImage(kRgba, "rgba", "4x2", "made.qoi", "-pix_fmt rgba"), qoi);
    Bytes tga = MediaTest::readFile(ffmpegImage(kRgba, "rgba", "4x2", "kind.tga", "-pix_fmt bgra"));
    tga[2] = 42;  // no TGA image type
    const std::string badTga = folder.file("bad.tga");
    writeFile(badTga, tga);
    const std::string oneByte = folder.file("one.jxl");
    writeFile(oneByte, Bytes{0xFF});
    const std::string garbage = folder.file("garbage.jxl");
    writeFile(garbage, Bytes{0xFF, 0x0A, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55});
    const std::string boxed = folder.file("boxed.jxl");
    writeFile(boxed, Bytes{0, 0, 0, 0x0C, 'J', 'X', 'L', ' ', 0x0D, 0x0A, 0x87, 0x0A, 0, 0, 0, 0});
    for (const std::string& path : {pgm, qoi, badTga, oneByte, garbage, boxed}) {
        SCOPED_TRACE(path);
        EXPECT_EXIT(exitRefused(path), ::testing::ExitedWithCode(0), "");
    }
    // A listed format is told by its content, whatever the name says.
    const std::string png = folder.file("really-a-png.jxl");
    std::filesystem::copy_file(ffmpegImage(kRgba, "rgba", "4x2", "real.png", "-pix_fmt rgba"), png);
    EXPECT_EQ(packedPixels(*ImageService::loadFromFile(wide(png))), kRgba);
}

TEST_F(ImageServiceTest, CorruptImageFailsToDecode) {
    const std::string good = ffmpegImage(kRgba, "rgba", "4x2", "good.png", "-pix_fmt rgba");
    Bytes bytes = MediaTest::readFile(good);
    // Keep the signature and header, spoil the compressed pixels.
    for (std::size_t i = 41; i + 12 < bytes.size(); ++i) bytes[i] ^= 0x5A;
    const std::string corrupt = folder.file("corrupt.png");
    writeFile(corrupt, bytes);
    const std::string text = failureText([&] { ImageService::loadFromFile(wide(corrupt)); });
    EXPECT_TRUE(startsWith(text, "decoder->GetFrame() failed.")) << text;
    EXPECT_NE(text.find("Media::ImageService::loadFromFile()"), std::string::npos);
}

TEST_F(ImageServiceTest, PathsAreTakenLiterally) {
    const std::string made = ffmpegImage(kRgba, "rgba", "4x2", "made.png", "-pix_fmt rgba");
    const std::string odd = folder.file("frame%03d: copy?.png");
    std::filesystem::copy_file(made, odd);
    EXPECT_EQ(packedPixels(*ImageService::loadFromFile(wide(odd))), kRgba);
}

// A B, G, R, A picture of the test pixels, premultiplied on request.
Bytes bgraOf(const Bytes& rgba, bool premultiplied) {
    Bytes out(rgba.size());
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        const std::uint8_t a = rgba[i + 3];
        for (int c = 0; c < 3; ++c) {
            const std::uint8_t v = rgba[i + 2 - c];
            out[i + c] = premultiplied ? static_cast<std::uint8_t>((v * a + 127) / 255) : v;
        }
        out[i + 3] = a;
    }
    return out;
}

TEST_F(ImageServiceTest, PngSavesDecodeToTheSamePixels) {
    struct Case {
        ImageService::PixelFormat format;
        Bytes source;
        std::uint8_t colourType;
        Bytes expected;
    } cases[] = {
        {ImageService::PixelFormat::Format32bppBGR, bgraOf(kRgba, false), 2, opaque(kRgba)},
        {ImageService::PixelFormat::Format32bppBGRA, bgraOf(kRgba, false), 6, kRgba},
        {ImageService::PixelFormat::Format32bppRGBA, kRgba, 6, kRgba},
        // Opaque and fully transparent pixels come back exactly.
        {ImageService::PixelFormat::Format32bppPBGRA, bgraOf(kBinaryAlpha, true), 6, kBinaryAlpha},
    };
    for (const Case& c : cases) {
        const std::string path = folder.file("saved.png");
        ImageService::saveToFile(wide(path), c.source.data(), 4, 2, 16, c.format, ImageService::Container::Png);
        const Bytes file = MediaTest::readFile(path);
        ASSERT_GT(file.size(), 33u);
        EXPECT_EQ(file[24], 8);  // bits per channel
        EXPECT_EQ(file[25], c.colourType);
        // 72 dpi: 2835 pixels per metre both ways, unit metre.
        const Bytes phys = {'p', 'H', 'Y', 's', 0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1};
        EXPECT_NE(std::search(file.begin(), file.end(), phys.begin(), phys.end()), file.end());
        EXPECT_EQ(packedPixels(*ImageService::loadFromFile(wide(path))), c.expected);
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    }
}

TEST_F(ImageServiceTest, PremultipliedPngIsWrittenStraight) {
    const Bytes premultiplied = {50, 25, 100, 128};  // B, G, R, A
    const std::string path = folder.file("half.png");
    ImageService::saveToFile(wide(path), premultiplied.data(), 1, 1, 4, ImageService::PixelFormat::Format32bppPBGRA,
                             ImageService::Container::Png);
    // 100 × 255 / 128 = 199.2, 25 → 49.8, 50 → 99.6
    EXPECT_EQ(packedPixels(*ImageService::loadFromFile(wide(path))), (Bytes{199, 50, 100, 128}));
}

TEST_F(ImageServiceTest, JpegSaveDecodesAgain) {
    Bytes bgrx;
    for (int i = 0; i < 24 * 8; ++i) bgrx.insert(bgrx.end(), {40, 160, 220, 7});
    const std::string path = folder.file("saved.jpg");
    const ImageService::EncoderOption quality{"ImageQuality", 0.95f};
    ImageService::saveToFile(wide(path), bgrx.data(), 24, 8, 96, ImageService::PixelFormat::Format32bppBGR,
                             ImageService::Container::Jpeg, &quality);
    const Bytes file = MediaTest::readFile(path);
    ASSERT_GT(file.size(), 20u);
    // JFIF header with density unit 1 (dots per inch) and 72 × 72.
    EXPECT_EQ(Bytes(file.begin() + 6, file.begin() + 11), (Bytes{'J', 'F', 'I', 'F', 0}));
    EXPECT_EQ(Bytes(file.begin() + 13, file.begin() + 18), (Bytes{1, 0, 72, 0, 72}));
    const auto image = ImageService::loadFromFile(wide(path));
    ASSERT_EQ(image->width, 24u);
    ASSERT_EQ(image->height, 8u);
    const Bytes pixels = packedPixels(*image);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        EXPECT_NEAR(pixels[i], 220, 3);
        EXPECT_NEAR(pixels[i + 1], 160, 3);
        EXPECT_NEAR(pixels[i + 2], 40, 3);
        EXPECT_EQ(pixels[i + 3], 255);
    }
}

TEST_F(ImageServiceTest, SaveIntoAnUnwritableFolderLeavesNoFile) {
    const Bytes pixels(16, 0x80);
    const std::string missing = folder.file("gone/out.png");
    const std::string text = failureText([&] {
        ImageService::saveToFile(wide(missing), pixels.data(), 2, 2, 8, ImageService::PixelFormat::Format32bppBGR,
                                 ImageService::Container::Png);
    });
    EXPECT_TRUE(startsWith(text, "stream->InitializeFromFilename() failed.\n\n[Note]\nHRESULT: 0x80070002")) << text;
    EXPECT_NE(text.find("Media::ImageService::saveToFile()"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("gone")));

    if (::geteuid() == 0) return;  // the superuser writes into any folder
    const std::string locked = folder.file("locked");
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const std::string refused = failureText([&] {
        ImageService::saveToFile(wide(locked + "/out.png"), pixels.data(), 2, 2, 8,
                                 ImageService::PixelFormat::Format32bppBGR, ImageService::Container::Png);
    });
    EXPECT_TRUE(startsWith(refused, "stream->InitializeFromFilename() failed.\n\n[Note]\nHRESULT: 0x80070005"))
        << refused;
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    EXPECT_TRUE(std::filesystem::is_empty(locked));
}

TEST_F(ImageServiceTest, FailedSaveKeepsTheOldFile) {
    const std::string path = folder.file("keep.jpg");
    writeFile(path, Bytes{'o', 'l', 'd'});
    // Wider than JPEG allows: the encoder refuses before anything is written.
    const std::uint32_t width = 70000;
    const Bytes pixels(std::size_t{width} * 4, 0x40);
    const std::string text = failureText([&] {
        ImageService::saveToFile(wide(path), pixels.data(), width, 1, width * 4,
                                 ImageService::PixelFormat::Format32bppBGR, ImageService::Container::Jpeg);
    });
    EXPECT_TRUE(startsWith(text, "frame->WriteSource() failed.")) << text;
    EXPECT_EQ(MediaTest::readFile(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    const std::string refused = failureText([&] {
        ImageService::saveToFile(wide(path), pixels.data(), 4, 1, 8, ImageService::PixelFormat::Format32bppBGR,
                                 ImageService::Container::Png);
    });
    EXPECT_TRUE(startsWith(refused, "factory->CreateBitmapFromMemory() failed.")) << refused;
    EXPECT_EQ(MediaTest::readFile(path), (Bytes{'o', 'l', 'd'}));
}

TEST_F(ImageServiceTest, MissingResourceFailsToBeFound) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* target = cairo_create(surface);
    const std::string text = failureText([&] { ImageService::loadFromResource(1, target); });
    EXPECT_TRUE(startsWith(text, "FindResource() failed.\n\n[Note]\nHRESULT: 0x80070716")) << text;
    EXPECT_NE(text.find("Media::ImageService::loadFromResource()"), std::string::npos);
    cairo_destroy(target);
    cairo_surface_destroy(surface);
}

TEST_F(ImageServiceTest, PictureInMemoryDecodes) {
    // The resource road: a whole PNG handed to the decoder as one packet.
    const Bytes png = MediaTest::readFile(ffmpegImage(kRgba, "rgba", "4x2", "memory.png", "-pix_fmt rgba"));
    Platform::Image::ImageDecoder decoder;
    ASSERT_EQ(decoder.openMemory(png.data(), png.size(), AV_CODEC_ID_PNG), 0);
    ASSERT_EQ(decoder.decodeFirstFrame(), 0);
    ASSERT_EQ(decoder.width(), 4);
    ASSERT_EQ(decoder.height(), 2);
    ASSERT_EQ(decoder.prepareConverter(), 0);
    Bytes rgba(32);
    ASSERT_EQ(decoder.convert(rgba.data(), 16), 0);
    EXPECT_EQ(rgba, kRgba);

    Platform::Image::ImageDecoder broken;
    const Bytes half(png.begin(), png.begin() + 20);
    ASSERT_EQ(broken.openMemory(half.data(), half.size(), AV_CODEC_ID_PNG), 0);
    EXPECT_LT(broken.decodeFirstFrame(), 0);
}

}  // namespace
