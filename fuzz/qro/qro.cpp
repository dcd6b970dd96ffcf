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

using Services = FuzzSupport::EditServices<Setting::SettingService>;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Services shared("qro-fuzz-");
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
