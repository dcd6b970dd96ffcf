#pragma once
// The logger service: takes over the process-wide log handler and sends each
// line, stamped with the local time, to up to three sinks, each switched by
// its own lowest level (0 = off): the debugger output, the view ring that
// the log window shows, and a log file in %Log% opened with the first line
// that reaches it (one file per run; older files of ours are pruned then).
//
// Any thread may log; the mutex serialises the sinks. A line logged while
// the sink runs on the same thread (the ERROR line of a failing file open)
// is dropped instead of deadlocking. The log window locks `mutex` to copy or
// clear `viewLines` and reads `changeCount` without it. Whoever changes the
// five settings while the program runs holds `mutex` (setSettings does).
#include "core/file/Config.h"
#include "core/file/File.h"
#include "core/base/Log.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace System {

class Logger {
public:
    struct ViewLine {
        const Log::Type* type;
        std::string text;  // one physical line, no line break
    };

    Logger();
    ~Logger();
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    void setSettings(int maxViewLine, int maxFileNum, int viewLogLevel, int fileLogLevel,
                     int debuggerLogLevel);
    // The log file of this run; empty until it is opened.
    std::wstring filePath() const;

    int MaxViewLine = 200;
    int MaxFileNum = 5;
    int ViewLogLevel = 2;
    int FileLogLevel = 4;
    int DebuggerLogLevel = 0;

    std::mutex mutex;
    std::deque<ViewLine> viewLines;  // newest at the front
    std::atomic<int> changeCount{1};

private:
    void sink(const Log::Type& type, const char* tag, const char* text);
    void appendView(const Log::Type& type, const std::string& line);
    void writeFile(const std::string& line);
    void pruneLogFolder();

    Config config_{"Logger"};
    Config::Int maxViewLine_{config_, "MaxViewLine", &MaxViewLine, 200};
    Config::Int maxFileNum_{config_, "MaxFileNum", &MaxFileNum, 5};
    Config::Int viewLogLevel_{config_, "ViewLogLevel", &ViewLogLevel, 2};
    Config::Int fileLogLevel_{config_, "FileLogLevel", &FileLogLevel, 4};
    Config::Int debuggerLogLevel_{config_, "DebuggerLogLevel", &DebuggerLogLevel, 0};
    Config::Scope scope_{config_};

    File file_;
    std::wstring filePath_;
    std::atomic<std::thread::id> insideThread_{};
};

// True for the names of the files this service writes:
// movane2_YYYY-MM-DD_hh-mm-ss-mmm.log (bare file name).
bool isOwnLogFileName(const std::wstring& name);

}  // namespace System
