#pragma once
// The process-wide log front ends. Any thread may log: the front ends format
// into buffers of their own and pass (level, tag, text) to one handler; the
// logger service decides how lines reach its sinks. Before the logger exists
// (and after it is gone) lines are formatted and dropped.
#include <cstdarg>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

namespace System::Log {

// One level record; compared and stored by address.
struct Type {
    const char* name;
    int level;
    std::uint32_t colour;  // 0xRRGGBB, the log window's colour for the line
};

extern const Type VERBOSE;
extern const Type INFO;
extern const Type WARN;
extern const Type ERROR;
extern const Type SCRIPT;
extern const Type PLUGIN;

using Handler = std::function<void(const Type& type, const char* tag, const char* text)>;

void defaultHandler(const Type& type, const char* tag, const char* text);

// Where the front ends hand their lines. Any thread may log while another
// installs a handler: a call runs either the old or the new one, whole.
// Installing returns once no thread runs the handler it replaced any more,
// so its owner may go at once; it must not be done from inside a handler.
class HandlerSlot {
public:
    constexpr HandlerSlot() = default;
    HandlerSlot(const HandlerSlot&) = delete;
    HandlerSlot& operator=(const HandlerSlot&) = delete;

    // An empty handler installs defaultHandler.
    HandlerSlot& operator=(Handler handler);
    // A copy of the installed handler.
    operator Handler() const;
    // Not an operator(): a slot must not pass for a callable handler.
    void call(const Type& type, const char* tag, const char* text) const;

private:
    struct Installed;
    Installed* current_ = nullptr;  // null: defaultHandler
};

extern HandlerSlot handler;

// "[MM/DD hh:mm:ss] [LEVEL] [tag] text\n", cut to 1,023 bytes.
std::string formatLine(const std::tm& localTime, const char* levelName, const char* tag,
                       const char* text);
// The same at the current local time.
std::string formatLine(const char* levelName, const char* tag, const char* text);

// Texts longer than 1,023 bytes (narrow) or 1,023 UTF-16 units (wide) are cut.
void verbose(const char* tag, const char* format, ...) __attribute__((format(printf, 2, 3)));
void verbose(const char* tag, const wchar_t* format, ...);
void info(const char* tag, const char* format, ...) __attribute__((format(printf, 2, 3)));
void info(const char* tag, const wchar_t* format, ...);
void warn(const char* tag, const char* format, ...) __attribute__((format(printf, 2, 3)));
void warn(const char* tag, const wchar_t* format, ...);
void error(const char* tag, const char* format, ...) __attribute__((format(printf, 2, 3)));
void error(const char* tag, const wchar_t* format, ...);
void script(const std::wstring& name, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void script(const std::wstring& name, const wchar_t* format, ...);
void plugin(const std::wstring& name, const wchar_t* format, ...);

}  // namespace System::Log

namespace System::Text {

// printf into at most 1,023 bytes, never splitting a UTF-8 sequence.
std::string formatV(const char* format, va_list args);
std::string format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Wide printf (%ls for wide arguments) cut to 1,023 UTF-16 units, as UTF-8.
std::string formatWideV(const wchar_t* format, va_list args);
std::string formatWide(const wchar_t* format, ...);
// Cuts a text to at most 1,023 bytes on a character boundary.
std::string cut1023(std::string text);

}  // namespace System::Text
