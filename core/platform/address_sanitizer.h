// Whether the build runs under AddressSanitizer (PLENWICK_ADDRESS_SANITIZER defined), for memory
// that is kept for reuse: under the sanitizer it is freed at once, so that stale uses are seen.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define PLENWICK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLENWICK_ADDRESS_SANITIZER 1
#endif
#endif
