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
