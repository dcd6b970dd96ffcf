// The legacy exchange import: any bytes import into a new scene or fail
// without leaving one; a project holding the import writes a file that
// reads back and writes the same bytes again.
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "edit/file/ProjectConvert.h"
#include "effect/registry/EffectService.h"
#include "support/ScratchProgramFolder.h"
#include "../EditSupport.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// The settings (with the shipped legacy name tables) and the effect kinds,
// once per process.
struct Services {
    Services() {
        folder = TestSupport::makeScratchProgramFolder("qro-fuzz-");
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        effects = std::make_unique<System::Singleton<Effect::EffectService>>();
        FuzzSupport::registerEditKinds(*System::Singleton<Effect::EffectService>::getInstance());
    }
    ~Services() {
        effects.reset();
        settings.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::filesystem::path folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<Effect::EffectService>> effects;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Services shared;
    const std::filesystem::path input = shared.folder / "in.qro";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Edit::Project project;
    project.getOrCreateScene(0);
    const Edit::ScenePointer scene = Edit::ProjectConvert::importQroScene(project, input.wstring());
    if (project.scenes.size() != (scene ? 2u : 1u)) std::abort();
    FuzzSupport::checkProjectRoundTrip(project, shared.folder);
    return 0;
}
