#pragma once
// A path pattern with its leading path variable expanded ("%Figure%\*.svg"
// becomes the figure folder's pattern); other text stays as it is.
#include <string>

namespace System {

std::wstring expandPathString(const wchar_t* pattern);

}  // namespace System
