#pragma once
// The 2D drawing side of the media services: the font manager (the system's
// fonts, registered at start-up), the user interface's text formats and
// stroke styles, the fonts of the toolkit's dialog controls, and the lock
// that serialises drawing into GPU textures from several threads.
//
// - Made and destroyed on the user-interface thread (a process-wide service,
//   reached through Get()). Before the fonts are listed, the fontconfig
//   file shipped beside the program (fonts.conf: aliases of family names
//   Linux lacks) joins the process's configuration.
// - Start-up fails only when the system's fonts cannot be listed at all, or
//   the style's "Control" font is missing or malformed.
// - The font manager and the lists are read from any thread afterwards;
//   text formats and stroke styles are made on the user-interface thread.
#include "core/base/Singleton.h"
#include "media/draw/FontManager.h"
#include "media/draw/GdiFontList.h"
#include "media/draw/StrokeStyleList.h"
#include "media/draw/TextFormatList.h"

#include <mutex>

namespace Media {

class Direct2DService {
public:
    Direct2DService();
    Direct2DService(const Direct2DService&) = delete;
    Direct2DService& operator=(const Direct2DService&) = delete;

    static Direct2DService& Get() { return *System::Singleton<Direct2DService>::getInstance(); }

    // Drawing into a texture runs between enter and leave (any thread).
    void enter() { multithread_.lock(); }
    void leave() { multithread_.unlock(); }

    FontManager fontManager;
    Resource::StrokeStyleList strokeStyleList;
    Resource::TextFormatList textFormatList;
    Resource::GdiFontList gdiFontList;

private:
    std::recursive_mutex multithread_;
};

// Reads the fontconfig file of the program folder when it exists.
void loadProgramFontConfig();

}  // namespace Media
