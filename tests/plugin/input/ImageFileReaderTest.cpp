#include "plugin/input/ImageFileReader.h"
#include "plugin/input/WindowsImageReader.h"

#include "core/base/Exception.h"
#include "media/image/ImageBuffer.h"
#include "plugin/PluginTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

using namespace PluginTest;

// The test picture: pixel (x, y), y = 0 at the top, as B, G, R, A.
std::array<std::uint8_t, 4> pixelAt(int x, int y) {
    return {static_cast<std::uint8_t>(30 * x + 1), static_cast<std::uint8_t>(40 * y + 2),
            static_cast<std::uint8_t>(7 * x + 11 * y), static_cast<std::uint8_t>(255 - 9 * x - y)};
}

// Stored rows of the picture: 3 or 4 bytes per pixel, rows padded to
// `align` bytes, top row first or last.
Bytes storedRows(int width, int height, int bytes, int align, bool topFirst) {
    const int row = (width * bytes + align - 1) / align * align;
    Bytes data(static_cast<std::size_t>(row * height), 0xEE);  // filler shows if read as pixels
    for (int y = 0; y < height; ++y) {
        const int stored = topFirst ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const auto p = pixelAt(x, y);
            std::memcpy(&data[static_cast<std::size_t>(stored * row + x * bytes)], p.data(), static_cast<std::size_t>(bytes));
        }
    }
    return data;
}

Bytes bmp(int width, int height, int bits, std::uint32_t headerSize = 40, std::uint32_t compression = 0) {
    Writer w;
    const Bytes rows = storedRows(width, std::abs(height), bits / 8, 4, height < 0);
    w.u16(0x4D42);
    w.u32(static_cast<std::uint32_t>(14 + headerSize + rows.size()));
    w.u32(0);
    w.u32(14 + headerSize);
    w.u32(headerSize);
    w.u32(static_cast<std::uint32_t>(width));
    w.u32(static_cast<std::uint32_t>(height));
    w.u16(1);
    w.u16(static_cast<std::uint16_t>(bits));
    w.u32(compression);
    w.u32(static_cast<std::uint32_t>(rows.size()));
    w.bytes.resize(14 + headerSize, 0);
    w.append(rows);
    return w.bytes;
}

Bytes tga(int width, int height, int depth, std::uint8_t descriptor, std::uint8_t type = 2, int idLength = 0) {
    Writer w;
    w.u8(static_cast<std::uint8_t>(idLength));
    w.u8(0);
    w.u8(type);
    w.bytes.resize(12, 0);
    w.u16(static_cast<std::uint16_t>(width));
    w.u16(static_cast<std::uint16_t>(height));
    w.u8(static_cast<std::uint8_t>(depth));
    w.u8(descriptor);
    w.bytes.resize(w.size() + static_cast<std::size_t>(idLength), 'i');
    w.append(storedRows(width, height, depth / 8, 1, (descriptor & 0x20) != 0));
    return w.bytes;
}

class ImageReaders : public ::testing::Test {
protected:
    std::shared_ptr<Plugin::InputFile> openBuiltIn(const std::string& name, const Bytes& bytes) {
        writeFile(folder.file(name), bytes);
        return builtIn.open(std::filesystem::path(folder.file(name)).wstring().c_str(), 0);
    }

    static void expectPicture(Plugin::InputFile& file, int width, int height, bool alpha) {
        ASSERT_EQ(file.flags, 1);
        ASSERT_EQ(file.frameCount, 1);
        ASSERT_EQ(file.width, width);
        ASSERT_EQ(file.height, height);
        ASSERT_EQ(file.pixelFormat, alpha ? 87 : 88);
        const auto image = file.readVideo(5);  // the frame is ignored
        ASSERT_TRUE(image);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* got = image->pixels.data + y * image->pitch + x * 4;
                const auto want = pixelAt(x, y);
                ASSERT_TRUE(got[0] == want[0] && got[1] == want[1] && got[2] == want[2] &&
                            got[3] == (alpha ? want[3] : 0))
                    << x << "," << y;
            }
    }

    MediaTest::TempFolder folder;
    Plugin::ImageFileReader builtIn;
    Plugin::WindowsImageReader imaging;
    CoreTest::LogLines log;
};

TEST_F(ImageReaders, BmpRowsInBothOrders) {
    const struct {
        const char* name;
        int width, height, bits;
    } cases[] = {
        {"24-bit bottom-up, rows padded", 3, 4, 24},
        {"24-bit top-down", 5, -2, 24},
        {"32-bit bottom-up", 4, 3, 32},
        {"32-bit top-down", 2, -5, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = openBuiltIn("a.BMP", bmp(c.width, c.height, c.bits));
        ASSERT_TRUE(file);
        expectPicture(*file, c.width, std::abs(c.height), c.bits == 32);
    }
}

TEST_F(ImageReaders, TgaRowsInBothOrders) {
    const struct {
        const char* name;
        int width, height, depth;
        std::uint8_t descriptor;
        int idLength;
    } cases[] = {
        {"24-bit from the bottom", 3, 2, 24, 0x00, 0},
        {"32-bit from the top, 8 alpha bits", 4, 3, 32, 0x28, 0},
        {"a 20-byte image id before the pixels", 2, 2, 24, 0x20, 20},
        {"32-bit from the bottom", 1, 4, 32, 0x08, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = openBuiltIn("a.tga", tga(c.width, c.height, c.depth, c.descriptor, 2, c.idLength));
        ASSERT_TRUE(file);
        expectPicture(*file, c.width, c.height, c.depth == 32);
        if (c.idLength == 20) {
            EXPECT_EQ(static_cast<Plugin::ImageFileReader::InputTgaImageFile&>(*file).dataOffset, 38u);
        }
    }
}

TEST_F(ImageReaders, FilesTheBuiltInDecoderLeavesToOthers) {
    Bytes truncated = bmp(4, 4, 24);
    truncated.resize(truncated.size() - 1);
    Bytes zeroHeight = bmp(4, 1, 24);
    zeroHeight[22] = 0;
    Bytes smallestHeight = bmp(4, 1, 24);
    const std::int32_t minimum = INT_MIN;
    std::memcpy(&smallestHeight[22], &minimum, 4);
    Bytes hugeTga = tga(1, 1, 32, 0);
    hugeTga[12] = hugeTga[13] = hugeTga[14] = hugeTga[15] = 0xFF;
    const struct {
        const char* name;
        const char* file;
        Bytes bytes;
    } cases[] = {
        {"an 8-bit palette", "a.bmp", bmp(4, 4, 8)},
        {"a 108-byte header", "a.bmp", bmp(4, 4, 24, 108)},
        {"run-length compression", "a.bmp", bmp(4, 4, 24, 40, 1)},
        {"pixels past the end of the file", "a.bmp", truncated},
        {"no rows", "a.bmp", zeroHeight},
        {"the smallest int as height", "a.bmp", smallestHeight},
        {"run-length TGA", "a.tga", tga(2, 2, 24, 0, 10)},
        {"right-to-left TGA", "a.tga", tga(2, 2, 24, 0x10)},
        {"16-bit TGA", "a.tga", tga(2, 2, 16, 0)},
        {"TGA larger than its file", "a.tga", hugeTga},
        {"a header cut short", "a.tga", Bytes{0, 0, 2, 0}},
        {"another extension", "a.png", bmp(2, 2, 24)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(openBuiltIn(c.file, c.bytes));
    }
}

TEST_F(ImageReaders, PicturesHaveNoSound) {
    const auto file = openBuiltIn("a.bmp", bmp(2, 2, 24));
    ASSERT_TRUE(file);
    EXPECT_THROW(file->readAudio(0), System::Exception);
}

TEST_F(ImageReaders, FfmpegPicturesMatchItsOwnDecode) {
    const struct {
        const char* name;
        const char* options;
        bool builtIn;
        int tolerance;
    } cases[] = {
        {"a.png", "", false, 0},
        {"a.jpg", "-q:v 2", false, 2},
        {"b.bmp", "-pix_fmt bgr24", true, 0},
        {"b.tga", "-pix_fmt bgra -rle 0", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        ASSERT_TRUE(MediaTest::ffmpeg(std::string("-f lavfi -i testsrc=size=40x30 -frames:v 1 ") + c.options + " " + path));
        const Bytes reference = decodeRaw(folder, path, "-f rawvideo -pix_fmt rgba");
        ASSERT_EQ(reference.size(), 40u * 30 * 4);
        const std::wstring wide = std::filesystem::path(path).wstring();
        const auto file = c.builtIn ? builtIn.open(wide.c_str(), 0) : imaging.open(wide.c_str(), 0);
        ASSERT_TRUE(file);
        const auto image = file->readVideo(0);
        ASSERT_TRUE(image);
        // The built-in readers give B, G, R; the imaging reader R, G, B.
        const bool swap = file->pixelFormat != 28;
        int worst = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const std::uint8_t* got = image->pixels.data + y * image->pitch + x * 4;
                const std::uint8_t* want = &reference[static_cast<std::size_t>(y * 40 + x) * 4];
                for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(int{got[swap ? 2 - k : k]} - int{want[k]}));
            }
        EXPECT_LE(worst, c.tolerance);
    }
}

}  // namespace
