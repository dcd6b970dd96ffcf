#pragma once
// Maps errno values onto the Windows error codes that the program's texts
// carry, and gives the text of a code. Any thread may call these.
#include "platform/WinTypes.h"

#include <string>

namespace Platform {

// ENOENT -> 2, EACCES -> 5, ENOMEM -> 8, EEXIST -> 80, ENOSPC -> 112,
// EINVAL -> 87; anything else -> 31 (general failure).
DWORD windowsErrorFromErrno(int err);

// A positive Win32 code becomes 0x8007xxxx; zero and negatives stay.
HRESULT hresultFromWin32(long code);

// The message for an HRESULT: for codes made from a Win32 code, the C
// library's text of the matching errno (or a fixed text for the codes the
// program raises itself); "unknown error" otherwise. No trailing white space.
std::string systemMessage(HRESULT hr);

}  // namespace Platform
