#include "platform/ErrorCode.h"

#include <cerrno>
#include <cstring>

namespace Platform {

namespace {

struct CodeRow {
    DWORD code;
    int err;           // 0 when the code has no errno counterpart
    const char* text;  // used when err is 0
};

// The Win32 codes the program produces, with the errno that gives their text.
constexpr CodeRow kCodes[] = {
    {0, 0, "The operation completed successfully."},
    {2, ENOENT, nullptr},
    {3, ENOENT, nullptr},
    {5, EACCES, nullptr},
    {8, ENOMEM, nullptr},
    {14, 0, "Not enough memory resources are available to complete this operation."},
    {29, 0, "The system cannot write to the specified device."},
    {30, 0, "The system cannot read from the specified device."},
    {31, 0, "A device attached to the system is not functioning."},
    {80, EEXIST, nullptr},
    {87, EINVAL, nullptr},
    {112, ENOSPC, nullptr},
};

}  // namespace

DWORD windowsErrorFromErrno(int err) {
    switch (err) {
        case ENOENT: return 2;
        case EACCES: return 5;
        case EPERM: return 5;
        case ENOMEM: return 8;
        case EEXIST: return 80;
        case ENOSPC: return 112;
        case EINVAL: return 87;
        default: return 31;
    }
}

HRESULT hresultFromWin32(long code) {
    if (code <= 0) return static_cast<HRESULT>(code);
    return static_cast<HRESULT>(0x80070000u | (static_cast<unsigned long>(code) & 0xFFFFu));
}

std::string systemMessage(HRESULT hr) {
    const auto u = static_cast<std::uint32_t>(hr);
    DWORD code;
    if (u == 0) {
        code = 0;
    } else if ((u & 0xFFFF0000u) == 0x80070000u) {
        code = u & 0xFFFFu;
    } else {
        return "unknown error";
    }
    for (const CodeRow& row : kCodes) {
        if (row.code != code) continue;
        if (row.err == 0) return row.text;
        char buffer[256];
        // GNU strerror_r may return a static text instead of filling buffer.
        const char* text = strerror_r(row.err, buffer, sizeof buffer);
        return text ? text : "unknown error";
    }
    return "unknown error";
}

}  // namespace Platform
