#pragma once
// Helpers of the core tests: a scratch folder removed afterwards, a log
// handler that keeps every line, and whole-file reads and writes.
#include "core/base/Exception.h"
#include "core/file/FileName.h"
#include "core/base/Log.h"
#include "support/LogCapture.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace CoreTest {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "movane2-core-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::wstring wide(const std::string& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

// A program folder with a "data" folder beside it (so the data folder is
// program/data) holding copies of the shipped configuration files; the path
// variables point into it while it lives.
class ProgramFolder {
public:
    ProgramFolder() {
        std::filesystem::create_directories(program() / "data");
        for (const char* name : {"system.conf", "style.conf", "effect.conf"})
            std::filesystem::copy_file(std::filesystem::path(MOVANE2_SOURCE_DIR) / "conf" / name, program() / name);
        System::FileName::initializeVariableList(program().wstring());
    }
    std::filesystem::path program() const { return root_.path() / "program"; }
    std::filesystem::path data() const { return program() / "data"; }
    std::filesystem::path log() const { return data() / "Log"; }

private:
    TempFolder root_;
};

using CapturedLine = TestSupport::LogCapture::Line;
using LogLines = TestSupport::LogCapture;

// Files of this process cannot grow past the limit while it lives: a write
// beyond it fails with EFBIG, as on a full disk, without needing a small
// file system (and, unlike a read-only folder, also when running as root).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedSignal_)(int) = nullptr;
};

// The text of the program's exception that the action raises.
inline std::string failureText(const std::function<void()>& action) {
    try {
        action();
    } catch (const System::Exception& e) {
        return e.what();
    }
    return "(no exception)";
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace CoreTest
