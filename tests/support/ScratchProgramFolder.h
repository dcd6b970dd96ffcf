#pragma once
// A program folder of a tool's own (benchmarks, fuzz harnesses) under the
// temporary folder: the shipped configuration files beside the "program"
// and a data folder, so the settings it writes never reach the user's. The
// path variables point into it; the caller removes it when done.
// Needs MOVANE2_SOURCE_DIR.
#include "core/file/FileName.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace TestSupport {

inline std::filesystem::path makeScratchProgramFolder(const char* prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::filesystem::filesystem_error("mkdtemp", pattern, std::error_code(errno, std::generic_category()));
    const std::filesystem::path folder(pattern);
    std::filesystem::create_directories(folder / "data");
    for (const char* name : {"system.conf", "style.conf", "effect.conf", "fonts.conf"})
        std::filesystem::copy_file(std::filesystem::path(MOVANE2_SOURCE_DIR) / "conf" / name, folder / name,
                                   std::filesystem::copy_options::overwrite_existing);
    System::FileName::initializeVariableList(folder.wstring());
    return folder;
}

}  // namespace TestSupport
