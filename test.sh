#!/usr/bin/env bash
# Builds every test twice and runs them all each time: with AddressSanitizer and
# UndefinedBehaviorSanitizer (build/test), then in the configuration ./run.sh builds, which is
# what users run (build/release-tests): a fault may show in one build alone (the sanitizers'
# allocator never gives a freed address straight back, an optimised one often does).
set -euo pipefail
cd "$(dirname "$0")"
# As many tests at once as CTEST_PARALLEL_LEVEL says, else the processors up to 8.
jobs=${CTEST_PARALLEL_LEVEL:-$(nproc)}
[ -n "${CTEST_PARALLEL_LEVEL:-}" ] || [ "$jobs" -le 8 ] || jobs=8
run_tests() {
  ctest --test-dir "$1" --output-on-failure --no-tests=error -j"$jobs" --timeout 300
}

scripts/setup.sh build/test -DCMAKE_BUILD_TYPE=Debug -DCORRA_SANITIZE=ON -DCORRA_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
(
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
  # use_tls=0: the leak checker's walk of dynamic thread-local blocks sometimes meets a stale
  # entry after Qt loads its plugins and crashes at exit; without it thread-local pointers are
  # not roots, so the check only gets stricter.
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0:use_tls=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  run_tests build/test
)

# ./run.sh's flags with the tests on, in a tree of its own so that neither rebuilds the other's
# configuration; their flags differ, so each tree reuses only its own earlier objects.
echo "== Without sanitizers, as ./run.sh builds"
scripts/setup.sh build/release-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORRA_SANITIZE=OFF -DCORRA_TESTS=ON -DCORRA_BENCH=OFF
run_tests build/release-tests
