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

using Services = FuzzSupport::EditServices<System::IniFile>;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Services shared("project-fuzz-");
    const std::wstring input = (shared.folder / "in.mvp2").wstring();
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
