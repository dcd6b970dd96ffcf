#include "core/text/FormatDouble.h"

#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"

#include <cstdio>

namespace System {

std::wstring formatDouble(double value) {
    // The largest double takes 309 digits before the point.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    std::string text = buffer;
    String::removeTrailingZeros(text);
    return String::toWide(text);
}

}  // namespace System
