#!/usr/bin/env bash
# Builds the program (installing what it needs) and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
# ./test.sh runs the tests built with these flags too (build/release-tests): keep them alike.
scripts/setup.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORRA_TESTS=OFF -DCORRA_BENCH=OFF
exec build/release/corra "$@"
