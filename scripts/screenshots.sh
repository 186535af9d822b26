#!/usr/bin/env bash
# Shows each of the program's windows with realistic content under a virtual X server and saves
# what the screen shows as PNGs, at 100 % and at 150 % scale.
# Usage: scripts/screenshots.sh [out-dir] [scene...]   (default: build/screenshots, every scene)
# New windows are added as scenes in tests/shots/ShowWindows.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# The virtual X server the windows are shown on.
install_packages xvfb xauth
out=${1:-build/screenshots}
shift || true
build=${CORRA_SHOTS_BUILD:-build/test}
cmake --build "$build" --target corra_show_windows >/dev/null
show="$build/corra_show_windows"
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export CORRA_HOME=$home QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=detect_leaks=0
scenes=("$@")
[ ${#scenes[@]} -gt 0 ] || mapfile -t scenes < <(QT_QPA_PLATFORM=offscreen "$show" --list)
for scale in 1 1.5; do
  suffix=""
  [ "$scale" = 1 ] || suffix="@${scale}x"
  for scene in "${scenes[@]}"; do
    QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
      "$show" "$scene" "$out/$scene$suffix.png"
  done
done
