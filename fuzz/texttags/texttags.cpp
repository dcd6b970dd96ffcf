// The control tags of a text object's text: any bytes, read as UTF-8 as a
// text file would be, are recognised or refused as tags at every "<", and
// the whole text is laid out (measured) with the tags applied.
#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "media/draw/Direct2DService.h"
#include "media/text/TextDraw.h"
#include "media/text/TextTag.h"
#include "support/ScratchProgramFolder.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// The settings and the fonts, once per process, in a program folder of
// their own (removed at exit) with the shipped configuration files.
struct Services {
    Services() {
        folder = TestSupport::makeScratchProgramFolder("movane2-fuzz-texttags-");
        try {
            settings = std::make_unique<System::Singleton<Setting::SettingService>>();
            direct2D = std::make_unique<System::Singleton<Media::Direct2DService>>();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "text layout is not fuzzed: %s\n", e.what());
        }
    }
    ~Services() {
        direct2D.reset();
        settings.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    std::filesystem::path folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<Media::Direct2DService>> direct2D;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Services shared;
    const bool services = shared.direct2D != nullptr;
    const std::wstring text =
        System::String::toWide(std::string(reinterpret_cast<const char*>(data), size));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'<') continue;
        if (const auto tag = Media::TextTag::match(text.c_str() + i + 1)) {
            if (tag->length == 0 || i + 1 + tag->length > text.size()) __builtin_trap();
        }
    }
    if (services && !text.empty()) {
        // The first character chooses the writing direction.
        const bool vertical = text[0] & 1;
        const Platform::Cairo::ColorF white{1, 1, 1, 1}, black{0, 0, 0, 1};
        Media::TextDraw draw(text.c_str(), L"", 12, 0.1f, 0.5f, true, false, false, vertical, 0.5f, 1, 1, 0.5, 20,
                             white, black);
        draw.layoutText(nullptr);
        if (draw.pictureWidth() > Media::TextDraw::pictureSideLimit ||
            draw.pictureHeight() > Media::TextDraw::pictureSideLimit || draw.pictureWidth() < 0 ||
            draw.pictureHeight() < 0)
            __builtin_trap();
    }
    return 0;
}
