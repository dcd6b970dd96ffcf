#pragma once
// Locale names as the system's text services give them ("ja-JP", "en-US"),
// over ICU and the process environment. Any thread may call these.
#include <cstdint>
#include <string>

namespace Platform::Icu {

// The user's locale from LC_ALL, LC_MESSAGES or LANG ("ja_JP.UTF-8" gives
// "ja-JP"). The C and POSIX locales, and no setting at all, are "en-US":
// their texts are English.
std::string userDefaultLocaleName();

// The locale name of a Windows language identifier (0x0411 -> "ja-JP"), as
// the name tables of fonts carry them; empty for an unknown identifier.
std::string localeNameFromLcid(std::uint32_t lcid);

// The ICU locale id of a locale name ("ja-JP" -> "ja_JP").
std::string icuLocaleId(const std::string& localeName);

}  // namespace Platform::Icu
