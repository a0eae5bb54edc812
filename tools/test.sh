#!/usr/bin/env bash
# Installs what is missing, checks the formatting of the sources, builds, runs clang-tidy
# over src/ and then every test: the plain build (build/), the same tests built with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/, leaks checked), then each
# fuzz target for FUZZ_SECONDS (default 60) built with clang (build-fuzz/).
# FUZZ_SECONDS=0 skips the fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
jobs=$(nproc)

bash tools/check-format.sh
bash tools/setup.sh
bash tools/tidy.sh
ctest --test-dir build --output-on-failure -j "$jobs"

# Sanitized run. Qt keeps a few allocations of its own until exit; tools/lsan.supp
# names only those, so every leak of ours still fails the run. The options are set for
# the build as well: it runs the test programs to list their tests.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The `asan` preset (its description says why its warnings are not errors).
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

fuzz_seconds=${FUZZ_SECONDS:-60}
if [ "$fuzz_seconds" -gt 0 ]; then
    bash tools/fuzz.sh "$fuzz_seconds"
fi
echo "tools/test.sh: all passed in $(($(date +%s) - start)) s"
