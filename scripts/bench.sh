#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers (build/bench) and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build/bench -DCMAKE_BUILD_TYPE=Release -DCORRA_SANITIZE=OFF -DCORRA_TESTS=OFF -DCORRA_BENCH=ON
export QT_QPA_PLATFORM=offscreen
cmake --build build/bench --target bench
