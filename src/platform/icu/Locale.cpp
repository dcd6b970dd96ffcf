#include "platform/icu/Locale.h"

#include <unicode/uloc.h>

#include <cstdlib>

namespace Platform::Icu {

namespace {

std::string toLanguageTag(const char* localeId) {
    char tag[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_toLanguageTag(localeId, tag, sizeof tag, false, &status);
    if (U_FAILURE(status) || std::string(tag) == "und") return "";
    return tag;
}

}  // namespace

std::string userDefaultLocaleName() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        // "ja_JP.UTF-8@variant" -> "ja_JP".
        std::string locale = value;
        locale = locale.substr(0, locale.find_first_of(".@"));
        if (locale == "C" || locale == "POSIX") break;
        const std::string tag = toLanguageTag(locale.c_str());
        if (!tag.empty()) return tag;
    }
    return "en-US";
}

std::string localeNameFromLcid(std::uint32_t lcid) {
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t length = uloc_getLocaleForLCID(lcid, locale, sizeof locale, &status);
    if (U_FAILURE(status) || length <= 0) return "";
    return toLanguageTag(locale);
}

std::string icuLocaleId(const std::string& localeName) {
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_forLanguageTag(localeName.c_str(), locale, sizeof locale, nullptr, &status);
    if (U_FAILURE(status)) return "";
    return locale;
}

}  // namespace Platform::Icu
