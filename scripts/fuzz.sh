#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (build/fuzz) and runs each on its corpus.
# Usage: scripts/fuzz.sh [seconds per harness (default 60)] [harness names...]
# New inputs go to build/fuzz/found/<name>/; with MERGE=1 the corpus fuzz/corpus/<name>/ is
# replaced by a minimal set that covers as much as the old corpus and the new inputs together.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}
scripts/setup.sh build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORRA_FUZZ=ON \
  -DCORRA_TESTS=OFF -DCORRA_BENCH=OFF
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for d in fuzz/corpus/*/; do names+=("$(basename "$d")"); done
fi
export QT_QPA_PLATFORM=offscreen
status=0
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for name in "${names[@]}"; do
  found=build/fuzz/found/$name
  mkdir -p "$found"
  echo "== fuzz_$name (${seconds}s)"
  rc=0
  build/fuzz/fuzz_"$name" -max_total_time="$seconds" -max_len=2048 -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix=build/fuzz/"$name"- "$found" fuzz/corpus/"$name" >build/fuzz/"$name".log 2>&1 || rc=$?
  grep -E "DONE|SUMMARY|Test unit written" build/fuzz/"$name".log || true
  if [ $rc -ne 0 ]; then
    echo "   fuzz_$name found a fault: build/fuzz/$name.log"
    status=1
    continue
  fi
  if [ "${MERGE:-0}" = 1 ]; then
    merged=build/fuzz/merged/$name
    rm -rf "$merged" && mkdir -p "$merged"
    build/fuzz/fuzz_"$name" -merge=1 -max_len=2048 "$merged" fuzz/corpus/"$name" "$found" >/dev/null 2>&1
    rm -f fuzz/corpus/"$name"/* && cp "$merged"/* fuzz/corpus/"$name"/
    echo "   corpus: $(ls fuzz/corpus/"$name" | wc -l) files"
  fi
done
exit $status
