#!/usr/bin/env bash
# Installs what the build needs (Debian packages) and configures and builds one build tree.
# Usage: scripts/setup.sh <build-dir> [cmake options...]
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "Usage: scripts/setup.sh <build-dir> [cmake options...]" >&2
  exit 2
fi

# poppler-utils: the tests read printed pages back with pdftotext.
PACKAGES=(cmake g++ ninja-build qt6-base-dev qt6-image-formats-plugins libgtest-dev fonts-liberation2 locales
          libreoffice-writer-nogui poppler-utils)

source "$(dirname "$0")/packages.sh"
install_packages "${PACKAGES[@]}"

# Parallel jobs: CMAKE_BUILD_PARALLEL_LEVEL where set, else the processors up to 8, so a build
# on a shared machine does not take every core.
build_jobs() {
  local n
  n=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || echo 2)}
  [[ $n =~ ^[1-9][0-9]*$ ]] || n=2
  [ -n "${CMAKE_BUILD_PARALLEL_LEVEL:-}" ] || [ "$n" -le 8 ] || n=8
  echo "$n"
}

build_dir=$1
shift
options=()
[ -f "$build_dir/CMakeCache.txt" ] || options=(-G Ninja)
# Rebuilds go faster through ccache where it is installed; it is not needed.
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null 2>&1; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
# The tree's commit-msg hook (subjects of at most 72 characters) in a git checkout that has no
# hooks of its own chosen.
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1 &&
  [ -z "$(git -C "$source_dir" config --get core.hooksPath)" ]; then
  git -C "$source_dir" config core.hooksPath scripts/hooks
fi

cmake -S "$source_dir" -B "$build_dir" "${options[@]}" "$@" >/dev/null
# Nothing to rebuild: say nothing, so that what runs next speaks first.
if [ -f "$build_dir/build.ninja" ] && command -v ninja >/dev/null 2>&1 &&
  ninja -C "$build_dir" -n 2>/dev/null | grep -q '^ninja: no work to do'; then
  exit 0
fi
cmake --build "$build_dir" -j"$(build_jobs)"
