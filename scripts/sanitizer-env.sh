# SPDX-License-Identifier: MIT
# Shared by scripts/sanitized-tests.sh and scripts/fuzz.sh (sourced): the sanitized build in
# build-asan/ and the sanitizer settings. Any report ends the process with a failure: ASan and
# UBSan stop at the first error, LeakSanitizer checks at exit. Known-benign leaks of the
# libraries (each with its reason) are listed in tests/sanitizers/lsan.supp.
hueprint_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sanitized_build="$hueprint_root/build-asan"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_init_order=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$hueprint_root/tests/sanitizers/lsan.supp:print_suppressions=0"

# Configures and builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (warnings as errors); the fuzz targets are linked with libFuzzer. It also shows that clang's
# Release build of the program and its tests is free of warnings: clang warns from its front
# end, whatever the optimization level or the sanitizers, so this build (optimized lightly, with
# line tables for the reports' stack traces, to build quickly) warns wherever a clang Release
# build would. The asan preset of CMakePresets.json is the same build.
build_sanitized() {
  cmake -S "$hueprint_root" -B "$sanitized_build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DHUEPRINT_SANITIZE=ON -DHUEPRINT_FUZZ=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  cmake --build "$sanitized_build" --parallel "$(nproc)"
}
