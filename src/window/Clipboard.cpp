#include "window/Clipboard.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"
#include "core/event/MessageBox.h"
#include "media/image/ImageBuffer.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gtk/SystemClipboard.h"
#include "platform/gtk/Toolkit.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cerrno>
#include <cstring>

namespace System {

namespace {

using Bytes = std::vector<unsigned char>;

// The header and rows of the picture as one block.
Bytes makeBitmapBlock(const Media::ImageBuffer& image) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = static_cast<LONG>(image.width);
    header.biHeight = static_cast<LONG>(image.height);
    header.biPlanes = 1;
    header.biBitCount = image.format == DXGI_FORMAT_B8G8R8A8_UNORM ? 32 : 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = Media::ImageBuffer::getBitmapRowSize(header.biBitCount, image.width) * image.height;
    // Zeroed: a format without bitmap rows leaves its rows black.
    Bytes block(sizeof header + header.biSizeImage);
    std::memcpy(block.data(), &header, sizeof header);
    image.convertTo(header, block.data() + sizeof header);
    return block;
}

void putLittleEndian(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// The block behind a BMP file header, as other programs paste pictures.
Bytes makeBmpFile(const Bytes& block) {
    Bytes file{'B', 'M'};
    putLittleEndian(file, static_cast<std::uint32_t>(14 + block.size()), 4);
    putLittleEndian(file, 0, 4);
    putLittleEndian(file, 14 + sizeof(BITMAPINFOHEADER), 4);
    file.insert(file.end(), block.begin(), block.end());
    return file;
}

// The same pixels as PNG; empty when the picture has no pixels.
Bytes makePng(const Bytes& block) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    const int width = header.biWidth;
    const int height = header.biHeight;
    const bool alpha = header.biBitCount == 32;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, width, height);
    if (!pixbuf) return {};
    const int channels = alpha ? 4 : 3;
    const std::uint32_t rowSize = Media::ImageBuffer::getBitmapRowSize(header.biBitCount, width);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < height; ++y) {
        const unsigned char* in = block.data() + sizeof header + std::size_t(height - 1 - y) * rowSize;
        guchar* out = pixels + std::size_t(y) * stride;
        for (int x = 0; x < width; ++x, in += channels, out += channels) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            if (alpha) out[3] = in[3];
        }
    }
    gchar* png = nullptr;
    gsize size = 0;
    const gboolean saved = gdk_pixbuf_save_to_buffer(pixbuf, &png, &size, "png", nullptr, nullptr);
    g_object_unref(pixbuf);
    Bytes bytes;
    if (saved) bytes.assign(png, png + size);
    g_free(png);
    return bytes;
}

}  // namespace

Clipboard::Clipboard() {
    if (!Platform::toolkitReady()) throw makeErrnoException("OpenClipboard", "System::Clipboard::Clipboard", ENXIO);
}

bool Clipboard::getText(std::wstring& out) {
    constexpr const char* place = "System::Clipboard::getText";
    try {
        if (!Platform::clipboardHasText()) return false;
        Clipboard scope;
        std::string text;
        if (!Platform::getClipboardText(text)) throw makeLastErrorException("GetClipboardData", place);
        out = String::toWide(text);
        return true;
    } catch (const std::exception&) {
        // Logged by the builder; a paste simply finds nothing.
        return false;
    }
}

bool Clipboard::setText(const wchar_t* text) {
    try {
        Clipboard scope;
        if (!Platform::setClipboardText(String::toUtf8(text ? text : L"")))
            throw makeLastErrorException("SetClipboardData", "System::Clipboard::setText");
        return true;
    } catch (const std::exception& e) {
        Dialog::showException(e);
        return false;
    }
}

bool Clipboard::setImage(const Media::ImageBuffer& image) {
    try {
        Clipboard scope;
        const Bytes block = makeBitmapBlock(image);
        std::vector<Platform::ClipboardForm> forms{{"image/bmp", makeBmpFile(block)}};
        if (Bytes png = makePng(block); !png.empty()) forms.push_back({"image/png", std::move(png)});
        if (!Platform::setClipboardForms(std::move(forms)))
            throw makeLastErrorException("SetClipboardData", "System::Clipboard::setImage");
        return true;
    } catch (const std::exception& e) {
        Dialog::showException(e);
        return false;
    }
}

}  // namespace System
