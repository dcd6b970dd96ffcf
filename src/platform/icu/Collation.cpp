#include "platform/icu/Collation.h"

#include "platform/icu/Locale.h"

#include <unicode/ucol.h>

#include <memory>

namespace Platform::Icu {

namespace {

struct CollatorDeleter {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorDeleter>;

Collator openNaturalCollator() {
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open(icuLocaleId(userDefaultLocaleName()).c_str(), &status));
    if (U_FAILURE(status)) return nullptr;
    // Secondary strength keeps accents but drops the tertiary differences:
    // case, kana type and width.
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
    ucol_setAttribute(collator.get(), UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    // Spaces, punctuation, symbols and currency signs are skipped.
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, &status);
    ucol_setMaxVariable(collator.get(), UCOL_REORDER_CODE_CURRENCY, &status);
    if (U_FAILURE(status)) return nullptr;
    return collator;
}

}  // namespace

int compareNatural(const std::u16string& a, const std::u16string& b) {
    thread_local const Collator collator = openNaturalCollator();
    if (!collator) return 0;
    switch (ucol_strcoll(collator.get(), a.data(), static_cast<int32_t>(a.size()), b.data(),
                         static_cast<int32_t>(b.size()))) {
        case UCOL_LESS: return -1;
        case UCOL_GREATER: return 1;
        default: return 0;
    }
}

}  // namespace Platform::Icu
