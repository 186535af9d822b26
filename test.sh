#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer and runs them all.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build/test -DCMAKE_BUILD_TYPE=Debug -DCORRA_SANITIZE=ON -DCORRA_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
# use_tls=0: the leak checker's walk of dynamic thread-local blocks sometimes meets a stale
# entry after Qt loads its plugins and crashes at exit; without it thread-local pointers are not
# roots, so the check only gets stricter.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0:use_tls=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# As many tests at once as CTEST_PARALLEL_LEVEL says, else the processors up to 8.
jobs=${CTEST_PARALLEL_LEVEL:-$(nproc)}
[ -n "${CTEST_PARALLEL_LEVEL:-}" ] || [ "$jobs" -le 8 ] || jobs=8
ctest --test-dir build/test --output-on-failure --no-tests=error -j"$jobs" --timeout 300
