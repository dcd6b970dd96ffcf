#include "core/base/Logger.h"

#include "core/file/FileName.h"
#include "core/text/StringConvert.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <exception>
#include <fstream>
#include <unistd.h>

namespace System {

namespace {

// The debugger output of this platform is standard error, written only
// while someone can read it: a terminal on it, or a debugger tracing the
// process (a non-zero TracerPid in /proc/self/status).
bool debuggerOutputAttached() {
    if (::isatty(STDERR_FILENO)) return true;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("TracerPid:", 0) == 0) return std::stol(line.substr(10)) != 0;
    return false;
}

void writeDebuggerOutput(const std::string& line) {
    if (!debuggerOutputAttached()) return;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

bool isOwnLogFileName(const std::wstring& name) {
    static const std::wstring shape = L"movane2_####-##-##_##-##-##-###.log";
    if (name.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == L'#' ? !std::iswdigit(name[i]) : name[i] != shape[i]) return false;
    }
    return true;
}

Logger::Logger() {
    Log::handler = [this](const Log::Type& type, const char* tag, const char* text) { sink(type, tag, text); };
}

Logger::~Logger() {
    Log::handler = Log::defaultHandler;
    std::lock_guard lock(mutex);
    viewLines.clear();
    file_.close();
    // The scope writes the settings back after this body.
}

void Logger::setSettings(int maxViewLine, int maxFileNum, int viewLogLevel, int fileLogLevel,
                         int debuggerLogLevel) {
    std::lock_guard lock(mutex);
    MaxViewLine = maxViewLine;
    MaxFileNum = maxFileNum;
    ViewLogLevel = viewLogLevel;
    FileLogLevel = fileLogLevel;
    DebuggerLogLevel = debuggerLogLevel;
}

std::wstring Logger::filePath() const { return filePath_; }

void Logger::sink(const Log::Type& type, const char* tag, const char* text) {
    const std::thread::id self = std::this_thread::get_id();
    if (insideThread_.load() == self) return;
    std::lock_guard lock(mutex);
    insideThread_.store(self);
    const std::string line = Log::formatLine(type.name, tag, text);
    if (DebuggerLogLevel > 0 && type.level >= DebuggerLogLevel) writeDebuggerOutput(line);
    try {
        if (ViewLogLevel > 0 && type.level >= ViewLogLevel) appendView(type, line);
        if (FileLogLevel > 0 && type.level >= FileLogLevel) writeFile(line);
    } catch (const std::exception&) {
        // The line is lost for the remaining sinks; logging goes on.
    }
    insideThread_.store(std::thread::id());
}

void Logger::appendView(const Log::Type& type, const std::string& line) {
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find_first_of(std::string("\r\n\0", 3), start);
        if (end == std::string::npos) end = line.size();
        if (end > start) {
            viewLines.push_front({&type, line.substr(start, end - start)});
            ++changeCount;
        }
        start = end + 1;
    }
    while (!viewLines.empty() && static_cast<long long>(viewLines.size()) > MaxViewLine) viewLines.pop_back();
}

void Logger::writeFile(const std::string& line) {
    if (!file_.isOpen()) {
        const std::wstring path = FileName::makeTimestampName(L"%Log%/", L"movane2", L"log");
        file_.open(path.c_str(), File::Mode::WriteShareRead);
        filePath_ = path;
        pruneLogFolder();
    }
    file_.write(line.data(), static_cast<DWORD>(line.size()));
}

// Keeps the MaxFileNum newest of our own files (the listing is in name
// order, so time-stamped names sort by age); other files in the folder and
// the file of this run are never deleted.
void Logger::pruneLogFolder() {
    if (MaxFileNum < 0) return;
    std::wstring pattern = L"%Log%/*.log";
    FileName::expandVariable(pattern);
    const std::wstring folder = FileName::getDirectory(pattern);
    std::vector<File::FileInfo> files = File::findFiles(pattern, folder.c_str());
    std::reverse(files.begin(), files.end());
    int position = 0;
    for (const File::FileInfo& info : files) {
        const std::wstring name = info.name.substr(folder.size() + 1);
        if (!isOwnLogFileName(name)) continue;
        if (position++ < MaxFileNum || info.name == filePath_) continue;
        ::unlink(String::toUtf8(info.name).c_str());
    }
}

}  // namespace System
