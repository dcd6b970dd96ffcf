#include "core/file/PathString.h"

#include "core/file/FileName.h"

namespace System {

std::wstring expandPathString(const wchar_t* pattern) {
    std::wstring text = pattern ? pattern : L"";
    FileName::expandVariable(text);
    return text;
}

}  // namespace System
