#pragma once
// The readers open files by path: each input becomes a file of this
// process's own, named with the extension the reader expects.
#include "core/base/Log.h"

#include <cstdint>
#include <cstdio>
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

}  // namespace FuzzSupport
