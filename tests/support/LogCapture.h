#pragma once
// Keeps every line that reaches the log handler while it lives (any thread),
// and puts the previous handler back afterwards.
#include "core/base/Log.h"

#include <mutex>
#include <string>
#include <vector>

namespace TestSupport {

class LogCapture {
public:
    struct Line {
        const System::Log::Type* type;
        std::string tag;
        std::string text;
    };

    LogCapture() : saved_(System::Log::handler) {
        System::Log::handler = [this](const System::Log::Type& type, const char* tag, const char* text) {
            std::lock_guard lock(mutex_);
            lines.push_back({&type, tag, text});
        };
    }
    ~LogCapture() { System::Log::handler = saved_; }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The lines of one level, in logging order.
    std::vector<Line> of(const System::Log::Type& type) {
        std::lock_guard lock(mutex_);
        std::vector<Line> found;
        for (const Line& line : lines)
            if (line.type == &type) found.push_back(line);
        return found;
    }
    // How many lines have exactly this level, tag and text.
    int count(const System::Log::Type& type, const std::string& tag, const std::string& text) {
        std::lock_guard lock(mutex_);
        int n = 0;
        for (const Line& line : lines)
            if (line.type == &type && line.tag == tag && line.text == text) ++n;
        return n;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        lines.clear();
    }

    // Read directly only once the threads that log have finished.
    std::vector<Line> lines;

private:
    System::Log::Handler saved_;
    std::mutex mutex_;
};

}  // namespace TestSupport
