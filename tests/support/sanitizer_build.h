// SPDX-License-Identifier: MIT
#pragma once

// Whether this build runs under AddressSanitizer (clang's and gcc's ways of saying so).
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HUEPRINT_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define HUEPRINT_ASAN 1
#endif

namespace hueprint::testing {

// How much longer a timed case may take in this build. Under AddressSanitizer every large
// allocation is mapped afresh and every access checked, so time limits that hold for the
// program as users run it are widened there; the sanitized run is for memory faults, not speed.
#ifdef HUEPRINT_ASAN
inline constexpr int kTimeLimitFactor = 4;
#else
inline constexpr int kTimeLimitFactor = 1;
#endif

} // namespace hueprint::testing
