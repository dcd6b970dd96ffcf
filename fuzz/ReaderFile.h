#pragma once
// The readers open files by path: each input becomes a file of this
// process's own, named with the extension the reader expects.
#include "core/base/Log.h"
#include "plugin/input/InputFile.h"
#include "plugin/input/InputPlugin.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <unistd.h>

namespace FuzzSupport {

inline std::wstring writeInput(const uint8_t* data, size_t size, const char* extension) {
    const std::string path = "/tmp/movane2-fuzz-" + std::to_string(getpid()) + "." + extension;
    // Declined files log their reasons; nobody reads them here.
    static const bool quiet = [] {
        System::Log::handler = [](const System::Log::Type&, const char*, const char*) {};
        return true;
    }();
    (void)quiet;
    struct Cleanup {
        std::string path;
        ~Cleanup() { std::remove(path.c_str()); }
    };
    static const Cleanup cleanup{path};
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return std::wstring(path.begin(), path.end());
}

// Opens the input as a file of the extension through the reader and, when
// it is taken, runs the reads; read failures are the file's to report.
inline int runReader(Plugin::InputPlugin& reader, const uint8_t* data, size_t size, const char* extension,
                     const std::function<void(Plugin::InputFile&)>& reads) {
    const std::wstring path = writeInput(data, size, extension);
    const auto file = reader.open(path.c_str(), 0);
    if (!file) return 0;
    try {
        reads(*file);
    } catch (const std::exception&) {
    }
    return 0;
}

}  // namespace FuzzSupport
