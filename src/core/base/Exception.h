#pragma once
// Every failure travels as System::Exception: a standard exception whose
// what() is the fixed-layout text the user reads. Each builder logs its ERROR
// line (tag "Exception") when it builds the object, so a failure is logged
// even when a caller later catches it and carries on. Builders never fail on
// long input: texts are cut to 1,023 bytes. Any thread may call them.
#include "platform/WinTypes.h"

#include <csignal>
#include <cstdint>
#include <exception>
#include <string>

namespace System {

class Exception : public std::exception {
public:
    explicit Exception(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// A failed system call with an HRESULT; the message is the system's text.
Exception makeHResultException(const char* call, const char* place, HRESULT hr);
// The same for libraries with codes and texts of their own (GL, EGL, FFmpeg,
// SDL, GTK): the given message replaces the system's text.
Exception makeHResultException(const char* call, const char* place, HRESULT hr,
                               const char* message);
// A failed system call: the calling thread's errno, as a Windows-like code.
Exception makeLastErrorException(const char* call, const char* place);
// A failed system call with an explicit errno.
Exception makeErrnoException(const char* call, const char* place, int err);
// One of the program's own Win32 codes (14, 29, 30 ...).
Exception makeErrorCodeException(const char* place, DWORD code);
// A program error; note may be null (two-block form) or empty (three blocks).
Exception makeException(const char* place, const char* message, const char* note = nullptr);
// The note is a wide printf format; finished texts go in as "%ls" arguments.
Exception makeExceptionFormat(const char* place, const char* message, const wchar_t* noteFormat,
                              ...);

// A hardware fault inside guarded outside code (codecs, plugin modules).
struct StructuredExceptionInfo {
    void* address = nullptr;
    std::uint32_t code = 0;
    char module[256] = "unknown";
};

// Fills the record from a fault delivered to a signal handler: the code is
// the Windows-like code of the signal, the address the faulting instruction,
// the module the shared object holding it ("unknown" when none). Returns 1.
int getStructuredExceptionInfo(const siginfo_t* signal, const void* ucontext,
                               StructuredExceptionInfo& info);
// Windows-like code of a fault signal (SIGSEGV -> 0xC0000005 ...).
std::uint32_t structuredCodeFromSignal(int signal, int code);

Exception makeStructuredException(const char* label, const char* place,
                                  const StructuredExceptionInfo& info);
Exception makeStructuredPluginException(const char* label, const char* place,
                                        const StructuredExceptionInfo& info,
                                        const std::wstring& plugin);

}  // namespace System
