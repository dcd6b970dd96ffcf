#pragma once
// Whether this build runs under a sanitizer that takes over faults and
// allocation failures (AddressSanitizer, ThreadSanitizer): tests that fault
// on purpose, or starve the address space, skip there.
namespace TestSupport {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kSanitizerTakesFaults = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool kSanitizerTakesFaults = true;
#else
inline constexpr bool kSanitizerTakesFaults = false;
#endif
#else
inline constexpr bool kSanitizerTakesFaults = false;
#endif

// How many times longer the program takes under those sanitizers, for the
// limits that only catch a program that hangs.
inline constexpr int kSanitizerSlowdown = kSanitizerTakesFaults ? 10 : 1;

}  // namespace TestSupport
