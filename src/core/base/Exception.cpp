#include "core/base/Exception.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "platform/ErrorCode.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <ucontext.h>

namespace System {

namespace {

constexpr const char* kTag = "Exception";

Exception hresultException(const char* call, const char* place, HRESULT hr,
                           const std::string& message) {
    const auto code = static_cast<unsigned>(hr);
    Log::error(kTag, "%s() failed in %s() [%s] (HRESULT: 0x%08X)", call, place, message.c_str(),
               code);
    return Exception(Text::format("%s() failed.\n\n[Note]\nHRESULT: 0x%08X\n%s\n\n[Place]\n%s()",
                                  call, code, message.c_str(), place));
}

unsigned long long pointerValue(const void* p) {
    return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p));
}

}  // namespace

Exception makeHResultException(const char* call, const char* place, HRESULT hr) {
    return hresultException(call, place, hr, Platform::systemMessage(hr));
}

Exception makeHResultException(const char* call, const char* place, HRESULT hr,
                               const char* message) {
    return hresultException(call, place, hr, message ? message : "unknown error");
}

Exception makeLastErrorException(const char* call, const char* place) {
    return makeErrnoException(call, place, errno);
}

Exception makeErrnoException(const char* call, const char* place, int err) {
    if (err == 0) return makeHResultException(call, place, 0);
    const HRESULT hr = Platform::hresultFromWin32(Platform::windowsErrorFromErrno(err));
    char buffer[256];
    const char* text = strerror_r(err, buffer, sizeof buffer);
    return hresultException(call, place, hr, text ? text : "unknown error");
}

Exception makeErrorCodeException(const char* place, DWORD code) {
    const std::string message =
        Platform::systemMessage(Platform::hresultFromWin32(static_cast<long>(code)));
    Log::error(kTag, "%s in %s()", message.c_str(), place);
    return Exception(Text::format("%s\n\n[Place]\n%s()", message.c_str(), place));
}

Exception makeException(const char* place, const char* message, const char* note) {
    if (note) {
        Log::error(kTag, "%s in %s() [%s]", message, place, note);
        return Exception(Text::format("%s\n\n[Note]\n%s\n\n[Place]\n%s()", message, note, place));
    }
    Log::error(kTag, "%s in %s()", message, place);
    return Exception(Text::format("%s\n\n[Place]\n%s()", message, place));
}

Exception makeExceptionFormat(const char* place, const char* message, const wchar_t* noteFormat,
                              ...) {
    va_list args;
    va_start(args, noteFormat);
    const std::string note = Text::formatWideV(noteFormat, args);
    va_end(args);
    return makeException(place, message, note.c_str());
}

std::uint32_t structuredCodeFromSignal(int signal, int code) {
    switch (signal) {
        case SIGSEGV: return 0xC0000005;  // access violation
        case SIGBUS: return 0xC0000006;   // in-page error
        case SIGILL: return code == ILL_PRVOPC ? 0xC0000096 : 0xC000001D;
        case SIGTRAP: return 0x80000003;  // breakpoint
        case SIGFPE:
            switch (code) {
                case FPE_INTDIV: return 0xC0000094;
                case FPE_INTOVF: return 0xC0000095;
                case FPE_FLTDIV: return 0xC000008E;
                case FPE_FLTOVF: return 0xC0000091;
                case FPE_FLTUND: return 0xC0000093;
                case FPE_FLTRES: return 0xC000008F;
                case FPE_FLTINV: return 0xC0000090;
                default: return 0xC0000094;
            }
        default: return 0xC0000001;
    }
}

int getStructuredExceptionInfo(const siginfo_t* signal, const void* ucontext,
                               StructuredExceptionInfo& info) {
    info.code = signal ? structuredCodeFromSignal(signal->si_signo, signal->si_code) : 0;
    info.address = nullptr;
#if defined(__x86_64__)
    if (ucontext) {
        const auto* context = static_cast<const ucontext_t*>(ucontext);
        info.address = reinterpret_cast<void*>(context->uc_mcontext.gregs[REG_RIP]);
    }
#elif defined(__aarch64__)
    if (ucontext) {
        const auto* context = static_cast<const ucontext_t*>(ucontext);
        info.address = reinterpret_cast<void*>(context->uc_mcontext.pc);
    }
#endif
    if (!info.address && signal) info.address = signal->si_addr;
    std::strcpy(info.module, "unknown");
    Dl_info where{};
    if (info.address && dladdr(info.address, &where) && where.dli_fname && *where.dli_fname) {
        const char* name = std::strrchr(where.dli_fname, '/');
        name = name ? name + 1 : where.dli_fname;
        std::strncpy(info.module, name, sizeof info.module - 1);
        info.module[sizeof info.module - 1] = '\0';
    }
    return 1;
}

Exception makeStructuredException(const char* label, const char* place,
                                  const StructuredExceptionInfo& info) {
    const unsigned long long address = pointerValue(info.address);
    Log::error(kTag, "%s() structured exception in %s() [Code: 0x%08X Address: 0x%016llX Module: %s]",
               label, place, info.code, address, info.module);
    return Exception(Text::format(
        "%s() structured exception\n\n[Note]\nCode: 0x%08X\nAddress 0x%016llX\nModule: %s\n\n[Place]\n%s()",
        label, info.code, address, info.module, place));
}

Exception makeStructuredPluginException(const char* label, const char* place,
                                        const StructuredExceptionInfo& info,
                                        const std::wstring& plugin) {
    const unsigned long long address = pointerValue(info.address);
    const std::string name = String::toAnsi(plugin);
    Log::error(kTag,
               "%s() structured exception in %s() [Code: 0x%08X Address: 0x%016llX Module: %s Plugin: %s]",
               label, place, info.code, address, info.module, name.c_str());
    return Exception(Text::format(
        "%s() structured exception\n\n[Note]\nCode: 0x%08X\nAddress 0x%016llX\nModule: %s\n\n[Place]\n%s()\n\n[Plugin]\n%s",
        label, info.code, address, info.module, place, name.c_str()));
}

}  // namespace System
