#pragma once
// The 2D drawing side of the media services: the font manager (the system's
// fonts, registered at start-up) and the lock that serialises drawing into
// GPU textures from several threads. The user interface's text formats,
// stroke styles and control fonts are the resource service's.
//
// - Made and destroyed on the user-interface thread (a process-wide service,
//   reached through Get()). Before the fonts are listed, the fontconfig
//   file shipped beside the program (fonts.conf: aliases of family names
//   Linux lacks) joins the process's configuration.
// - Start-up fails only when the system's fonts cannot be listed at all.
// - The font manager is read from any thread afterwards.
#include "core/base/Singleton.h"
#include "media/draw/FontManager.h"

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

private:
    std::recursive_mutex multithread_;
};

// Reads the fontconfig file of the program folder when it exists.
void loadProgramFontConfig();

}  // namespace Media
