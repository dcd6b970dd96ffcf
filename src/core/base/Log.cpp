#include "core/base/Log.h"

#include "core/text/StringConvert.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <thread>
#include <vector>

namespace System::Text {

namespace {
constexpr std::size_t kTextLimit = 1023;
}

std::string cut1023(std::string text) {
    text.resize(String::utf8CutLength(text, kTextLimit));
    return text;
}

std::string formatV(const char* format, va_list args) {
    char buffer[2048];
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    if (length < 0) return {};
    return cut1023(std::string(buffer, std::min<std::size_t>(length, sizeof buffer - 1)));
}

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string text = formatV(fmt, args);
    va_end(args);
    return text;
}

std::string formatWideV(const wchar_t* format, va_list args) {
    // vswprintf reports truncation only as -1, so grow until it fits (bounded).
    std::vector<wchar_t> buffer(1024);
    int length = -1;
    while (true) {
        va_list copy;
        va_copy(copy, args);
        length = std::vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (length >= 0 || buffer.size() >= (1u << 16)) break;
        buffer.resize(buffer.size() * 4);
    }
    if (length < 0) length = static_cast<int>(std::wcslen(buffer.data()));
    std::u16string utf16 = String::toUtf16(std::wstring(buffer.data(), length));
    utf16.resize(String::utf16CutLength(utf16, kTextLimit));
    return String::toAnsi(String::fromUtf16(utf16));
}

std::string formatWide(const wchar_t* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string text = formatWideV(fmt, args);
    va_end(args);
    return text;
}

}  // namespace System::Text

namespace System::Log {

const Type VERBOSE{"VERBOSE", 1, 0xCCCCCC};
const Type INFO{"INFO", 2, 0xFFFFFF};
const Type WARN{"WARN", 3, 0xFFFF7F};
const Type ERROR{"ERROR", 4, 0xFF7F7F};
const Type SCRIPT{"SCRIPT", 2, 0x7FFF7F};
const Type PLUGIN{"PLUGIN", 2, 0x7FFF7F};

void defaultHandler(const Type& type, const char* tag, const char* text) {
    (void)formatLine(type.name, tag, text);
}

// One installed handler and the number of calls running it. A call takes
// the record and counts itself in under the mutex, so the record it took
// cannot be freed before it counts itself out.
struct HandlerSlot::Installed {
    Handler function;
    mutable std::atomic<int> running{0};
};

namespace {
std::mutex slotMutex;  // guards current_ only, never held during a call
}  // namespace

HandlerSlot& HandlerSlot::operator=(Handler function) {
    auto* next = new Installed{function ? std::move(function) : Handler(defaultHandler)};
    Installed* previous;
    {
        std::lock_guard lock(slotMutex);
        previous = current_;
        current_ = next;
    }
    if (!previous) return *this;
    while (previous->running.load(std::memory_order_acquire) != 0) std::this_thread::yield();
    delete previous;
    return *this;
}

HandlerSlot::operator Handler() const {
    std::lock_guard lock(slotMutex);
    return current_ ? current_->function : Handler(defaultHandler);
}

void HandlerSlot::call(const Type& type, const char* tag, const char* text) const {
    const Installed* installed;
    {
        std::lock_guard lock(slotMutex);
        installed = current_;
        if (installed) installed->running.fetch_add(1, std::memory_order_relaxed);
    }
    if (!installed) return defaultHandler(type, tag, text);
    struct CountOut {
        const Installed* installed;
        ~CountOut() { installed->running.fetch_sub(1, std::memory_order_release); }
    } countOut{installed};
    installed->function(type, tag, text);
}

// Constant-initialised, so lines logged during static initialisation find
// it; the installed record lives to the end of the process.
constinit HandlerSlot handler;

std::string formatLine(const std::tm& t, const char* levelName, const char* tag,
                       const char* text) {
    char buffer[4096];
    const int length = std::snprintf(buffer, sizeof buffer, "[%02d/%02d %02d:%02d:%02d] [%s] [%s] %s\n",
                                     t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                                     levelName, tag, text);
    if (length < 0) return {};
    return Text::cut1023(std::string(buffer, std::min<std::size_t>(length, sizeof buffer - 1)));
}

std::string formatLine(const char* levelName, const char* tag, const char* text) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return formatLine(local, levelName, tag, text);
}

namespace {

void emitV(const Type& type, const char* tag, const char* format, va_list args) {
    handler.call(type, tag, Text::formatV(format, args).c_str());
}

void emitV(const Type& type, const char* tag, const wchar_t* format, va_list args) {
    handler.call(type, tag, Text::formatWideV(format, args).c_str());
}

}  // namespace

// Each front end only gathers its arguments; emitV formats and hands over.
void verbose(const char* tag, const char* format, ...) {
    va_list a; va_start(a, format); emitV(VERBOSE, tag, format, a); va_end(a);
}
void verbose(const char* tag, const wchar_t* format, ...) {
    va_list a; va_start(a, format); emitV(VERBOSE, tag, format, a); va_end(a);
}
void info(const char* tag, const char* format, ...) {
    va_list a; va_start(a, format); emitV(INFO, tag, format, a); va_end(a);
}
void info(const char* tag, const wchar_t* format, ...) {
    va_list a; va_start(a, format); emitV(INFO, tag, format, a); va_end(a);
}
void warn(const char* tag, const char* format, ...) {
    va_list a; va_start(a, format); emitV(WARN, tag, format, a); va_end(a);
}
void warn(const char* tag, const wchar_t* format, ...) {
    va_list a; va_start(a, format); emitV(WARN, tag, format, a); va_end(a);
}
void error(const char* tag, const char* format, ...) {
    va_list a; va_start(a, format); emitV(ERROR, tag, format, a); va_end(a);
}
void error(const char* tag, const wchar_t* format, ...) {
    va_list a; va_start(a, format); emitV(ERROR, tag, format, a); va_end(a);
}
void script(const std::wstring& name, const char* format, ...) {
    va_list a; va_start(a, format); emitV(SCRIPT, String::toAnsi(name).c_str(), format, a); va_end(a);
}
void script(const std::wstring& name, const wchar_t* format, ...) {
    va_list a; va_start(a, format); emitV(SCRIPT, String::toAnsi(name).c_str(), format, a); va_end(a);
}
void plugin(const std::wstring& name, const wchar_t* format, ...) {
    va_list a; va_start(a, format); emitV(PLUGIN, String::toAnsi(name).c_str(), format, a); va_end(a);
}

}  // namespace System::Log
