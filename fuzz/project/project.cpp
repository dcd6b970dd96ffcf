// The project file reader: any bytes load into a project or raise an error;
// a project that loaded writes a file that reads back and writes the same
// bytes again.
#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"
#include "edit/model/Project.h"
#include "effect/registry/EffectService.h"
#include "support/ScratchProgramFolder.h"
#include "../EditSupport.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

struct Services {
    Services() {
        folder = TestSupport::makeScratchProgramFolder("project-fuzz-");
        settings = std::make_unique<System::Singleton<System::IniFile>>();
        effects = std::make_unique<System::Singleton<Effect::EffectService>>();
        FuzzSupport::registerEditKinds(*System::Singleton<Effect::EffectService>::getInstance());
    }
    ~Services() {
        effects.reset();
        settings.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    std::wstring path(const char* name) const { return (folder / name).wstring(); }

    std::filesystem::path folder;
    std::unique_ptr<System::Singleton<System::IniFile>> settings;
    std::unique_ptr<System::Singleton<Effect::EffectService>> effects;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Services shared;
    const std::wstring input = shared.path("in.mvp2");
    std::ofstream(System::String::toUtf8(input), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Edit::Project project;
    try {
        Edit::Project::loadProjectFile(project, input);
    } catch (const std::exception&) {
        return 0;
    }
    FuzzSupport::checkProjectRoundTrip(project, shared.folder);
    return 0;
}
