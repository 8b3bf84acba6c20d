// Whether the tests run under AddressSanitizer, which keeps freed memory,
// shadows all of it and reserves terabytes of address space: tests that
// measure or limit a process's memory cannot run under it.
#pragma once

namespace compattatore::prova {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool CON_ASAN = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool CON_ASAN = true;
#else
inline constexpr bool CON_ASAN = false;
#endif
#else
inline constexpr bool CON_ASAN = false;
#endif

}  // namespace compattatore::prova
