#include "media/draw/Direct2DService.h"

#include "core/file/FileName.h"
#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "platform/font/FontCollection.h"
#include "platform/icu/Locale.h"

#include <filesystem>

namespace Media {

void loadProgramFontConfig() {
    // Rules join the process's configuration for good: once is enough.
    static bool loaded = false;
    if (loaded) return;
    std::wstring path = L"%AppInstall%/fonts.conf";
    System::FileName::expandVariable(path);
    const std::string file = System::String::toUtf8(path);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return;
    loaded = true;
    if (!Platform::Font::loadConfigFile(file))
        System::Log::warn("Media::Direct2DService::Direct2DService", "font configuration not loaded. %s",
                          file.c_str());
}

Direct2DService::Direct2DService() {
    loadProgramFontConfig();
    fontManager.registerFont(Platform::Font::FontCollection::system(), Platform::Icu::userDefaultLocaleName());
}

}  // namespace Media
