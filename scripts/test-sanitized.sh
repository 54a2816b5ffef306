#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UBSan into build-asan/ (or $QUORLIN_ASAN_BUILD_DIR)
# and runs them: a sanitizer report fails the test that caused it, leaks included.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORLIN_ASAN_BUILD_DIR:-$root/build-asan}"
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" \
    -DQUORLIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

supp="$root/tests/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp"
cd "$build"
# The package test builds and unpacks the Debian package; it checks files, not memory.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 900 -LE package
