#pragma once
// Collects the lines that reach the log handler while a test runs.
#include "core/Log.h"

#include <mutex>
#include <string>
#include <vector>

namespace MediaTest {

struct LogCapture {
    struct Line {
        const System::Log::Type* type;
        std::string tag;
        std::string text;
    };
    std::mutex mutex;
    std::vector<Line> lines;
    System::Log::Handler saved;

    LogCapture() : saved(System::Log::handler) {
        System::Log::handler = [this](const System::Log::Type& t, const char* tag, const char* text) {
            std::lock_guard lock(mutex);
            lines.push_back({&t, tag, text});
        };
    }
    ~LogCapture() { System::Log::handler = saved; }

    int count(const System::Log::Type& type, const std::string& tag, const std::string& text) {
        std::lock_guard lock(mutex);
        int n = 0;
        for (const Line& line : lines)
            if (line.type == &type && line.tag == tag && line.text == text) ++n;
        return n;
    }
};

}  // namespace MediaTest
