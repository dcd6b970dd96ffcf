#include "core/text/TextFileDecode.h"

#include "core/text/StringConvert.h"

#include <cerrno>
#include <iconv.h>

namespace System::String {

namespace {

// The bytes in the legacy encoding, or nothing at the first invalid or
// cut sequence.
std::optional<std::string> strictLegacyToUtf8(const std::string& legacy) {
    iconv_t cd = iconv_open("UTF-8", legacyEncoding().c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(legacy.data());
    std::size_t inLeft = legacy.size();
    bool valid = true;
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            valid = false;
            break;
        }
    }
    iconv_close(cd);
    if (!valid) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::wstring> decodeTextFile(const std::string& bytes) {
    if (isValidUtf8(bytes)) return toWide(bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes);
    const std::optional<std::string> utf8 = strictLegacyToUtf8(bytes);
    if (!utf8) return std::nullopt;
    return toWide(*utf8);
}

}  // namespace System::String
