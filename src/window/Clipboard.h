#pragma once
// The system clipboard for the text controls, the log window and the copy
// of a rendered frame. A scope object: it opens the clipboard for the main
// window and closes it when it goes; the operations open their own scope.
// User-interface thread only.
#include <string>

namespace Media {
class ImageBuffer;
}  // namespace Media

namespace System {

class Clipboard {
public:
    // Raises "OpenClipboard" when the clipboard cannot be reached.
    Clipboard();
    ~Clipboard() = default;
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    // The clipboard's text. False when it holds no text; a failure is
    // logged (nothing is shown) and gives false.
    static bool getText(std::wstring& out);
    // Puts the text (up to its NUL) on the clipboard. A failure is shown in
    // the exception box and gives false.
    static bool setText(const wchar_t* text);
    // Puts the picture on the clipboard as a device-independent bitmap
    // (40-byte header, then the rows bottom-up; 32 bits per pixel for
    // format 87, else 24), offered as a BMP file and as PNG. A failure is
    // shown in the exception box and gives false.
    static bool setImage(const Media::ImageBuffer& image);
};

}  // namespace System
